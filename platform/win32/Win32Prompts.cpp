// MessageBoxA, a PeekMessage pump that leaves a quit request for the main loop, the wait cursor.
#include "platform/win32/Win32Prompts.h"

#include <windows.h>

#include "platform/win32/ModalOwner.h"

namespace vt::win32 {

int Win32Prompts::ShowBox(WindowHandle owner, const std::string& text, const std::string& caption,
                          unsigned flags) {
    return MessageBoxA(ModalOwnerFor(reinterpret_cast<HWND>(owner)), text.c_str(), caption.c_str(),
                       flags);
}

void Win32Prompts::BringToFront(const std::string& caption) {
    // A dialog of ours, in this program or another copy; this program is in the foreground
    // (the user just asked it for something), so it may hand the foreground on.
    const HWND window = FindWindowA("#32770", caption.c_str());
    if (!window) return;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

void Win32Prompts::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // the main loop must still see it
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

uintptr_t Win32Prompts::ShowWaitCursor() {
    return reinterpret_cast<uintptr_t>(SetCursor(LoadCursorA(nullptr, IDC_WAIT)));
}

void Win32Prompts::RestoreCursor(uintptr_t previous) {
    SetCursor(reinterpret_cast<HCURSOR>(previous));
}

}  // namespace vt::win32
