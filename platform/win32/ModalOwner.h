// The owner of a new modal window: the innermost one already open over the window asked for.
#pragma once

#include <windows.h>

namespace vt::win32 {

// A modal window disables its owner and enables it again when it closes. A second one owned by
// the same window would enable it while the first is still open; owned by the innermost open one
// instead, each window is enabled again only when the last window over it closes.
HWND ModalOwnerFor(HWND owner);

}  // namespace vt::win32
