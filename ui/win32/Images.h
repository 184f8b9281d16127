// The program's pictures as image lists: each strip's image size, the mask colour they are drawn
// on, and the one loader, which takes the strip drawn for the DPI.
#pragma once

#include <windows.h>

#include "platform/win32/Handles.h"

namespace vt::win32 {

// At 96 DPI; each strip is drawn again at 150 and 200 % (tools/draw-images.sh).
inline constexpr int kActionImageSize = 20;     // menus and toolbar
inline constexpr int kTreeImageSize = 24;       // the configuration tree
inline constexpr int kTabMarkSize = 18;         // the card tabs' marks
inline constexpr int kStatusPictureSize = 54;   // the connection status
inline constexpr int kAdapterImageSize = 16;    // the options dialog's adapters
inline constexpr COLORREF kMaskColour = RGB(255, 0, 255);  // shows through (tools/draw-images.sh)

// The scale the pictures are drawn at for the DPI: 100, 150 or 200, the largest not above it.
int PicturePercent(UINT dpi);
// The size of a picture of `size` 96-DPI pixels as drawn for the DPI.
inline int PictureSize(int size, UINT dpi) { return size * PicturePercent(dpi) / 100; }
// The bitmap resource, as drawn for the DPI.
int PictureResource(int bitmap, UINT dpi);

// The bitmap resource drawn for the DPI, cut into square images of PictureSize(size, dpi)
// pixels, the mask colour transparent.
UniqueImageList LoadImageStrip(int bitmap, int size, UINT dpi);

}  // namespace vt::win32
