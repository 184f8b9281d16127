// A message hook of the GUI thread that turns the context-menu keys into WM_CONTEXTMENU.
#include "ui/win32/ContextMenuKeys.h"

#include <windows.h>

namespace vt::win32 {

namespace {

LRESULT CALLBACK OnMessageTaken(int code, WPARAM removed, LPARAM lParam) {
    auto& message = *reinterpret_cast<MSG*>(lParam);
    const bool key = message.message >= WM_KEYDOWN && message.message <= WM_SYSKEYUP;
    if (code == HC_ACTION && removed == PM_REMOVE && key &&
        (message.wParam == VK_APPS || (message.wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0))) {
        // The key goes down once: one request. Its release is dropped too, or the system would
        // open the menu bar (F10) or ask for the menu a second time (the menu key).
        if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN)
            PostMessageA(message.hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(message.hwnd), -1);
        message.message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, removed, lParam);
}

}  // namespace

void RouteContextMenuKeys() {
    thread_local const HHOOK hook =
        SetWindowsHookExA(WH_GETMESSAGE, OnMessageTaken, nullptr, GetCurrentThreadId());
    (void)hook;
}

}  // namespace vt::win32
