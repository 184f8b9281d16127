// Loading an image strip from the resources.
#include "ui/win32/Images.h"

#include <commctrl.h>

namespace vt::win32 {

UniqueImageList LoadImageStrip(int bitmap, int size) {
    return UniqueImageList(ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmap),
                                                size, 0, kMaskColour, IMAGE_BITMAP,
                                                LR_CREATEDIBSECTION));
}

}  // namespace vt::win32
