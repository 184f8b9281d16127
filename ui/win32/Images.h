// The program's pictures as image lists: each strip's image size, the mask colour they are drawn
// on, and the one loader.
#pragma once

#include <windows.h>

#include "platform/win32/Handles.h"

namespace vt::win32 {

inline constexpr int kActionImageSize = 20;     // menus and toolbar
inline constexpr int kTreeImageSize = 24;       // the configuration tree
inline constexpr int kTabMarkSize = 18;         // the card tabs' marks
inline constexpr int kStatusPictureSize = 54;   // the connection status
inline constexpr int kAdapterImageSize = 16;    // the options dialog's adapters
inline constexpr COLORREF kMaskColour = RGB(255, 0, 255);  // shows through (tools/draw-images.sh)

// The bitmap resource cut into square images of `size` pixels, the mask colour transparent.
UniqueImageList LoadImageStrip(int bitmap, int size);

}  // namespace vt::win32
