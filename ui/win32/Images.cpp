// Loading an image strip from the resources, drawn for the DPI.
#include "ui/win32/Images.h"

#include <commctrl.h>

#include "resources/resource.h"

namespace vt::win32 {

int PicturePercent(UINT dpi) {
    return dpi >= 192 ? 200 : dpi >= 144 ? 150 : 100;
}

int PictureResource(int bitmap, UINT dpi) {
    const int percent = PicturePercent(dpi);
    return bitmap + (percent == 200 ? IDB_AT_200 : percent == 150 ? IDB_AT_150 : 0);
}

UniqueImageList LoadImageStrip(int bitmap, int size, UINT dpi) {
    // The larger strips are kept with a palette: put into a list of true colours with its mask,
    // which every system draws alike.
    const UniqueBitmap strip(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(PictureResource(bitmap, dpi)),
                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP shape{};
    GetObjectA(strip.Get(), sizeof shape, &shape);
    const int side = PictureSize(size, dpi);
    UniqueImageList images(
        ImageList_Create(side, side, ILC_COLOR24 | ILC_MASK, shape.bmWidth / side, 0));
    ImageList_AddMasked(images.Get(), strip.Get(), kMaskColour);
    return images;
}

}  // namespace vt::win32
