// A window's font: the one message every kind of control takes for it, sent in one place.
#pragma once

#include <windows.h>

namespace vt::win32 {

inline void SetWindowFont(HWND window, HFONT font, bool redraw = false) {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

inline HFONT WindowFont(HWND window) {
    return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
}

}  // namespace vt::win32
