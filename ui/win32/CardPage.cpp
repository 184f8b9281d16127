// The card page's class, and what it passes on.
#include "ui/win32/CardPage.h"

#include "ui/win32/MainWindowIds.h"

namespace vt::win32 {

namespace {

constexpr char kPageClass[] = "TCardPage";

}  // namespace

void CardPage::Create(HWND parent, int id) {
    RegisterClass(kPageClass, IDC_ARROW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    CreateWindowExA(WS_EX_CONTROLPARENT, kPageClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                    0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                    this);
}

// The status picture shows a hand: a double-click on it opens the network connections.
LRESULT CardPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_CTLCOLORSTATIC:
            return SendMessageA(GetParent(Handle()), message, wParam, lParam);
        case WM_SETCURSOR:
            if (GetDlgCtrlID(reinterpret_cast<HWND>(wParam)) != kIdStatusPicture) break;
            SetCursor(LoadCursorA(nullptr, IDC_HAND));
            return TRUE;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace vt::win32
