// The splitter bar: a window class of its own with the west-east cursor, and its drag.
#include "ui/win32/Splitter.h"

namespace vt::win32 {

namespace {

constexpr char kSplitterClass[] = "TSplitter";

}  // namespace

void Splitter::Create(HWND parent, int id) {
    RegisterClass(kSplitterClass, IDC_SIZEWE, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    CreateWindowExA(0, kSplitterClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, this);
}

LRESULT Splitter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            SetCapture(Handle());
            return 0;
        case WM_LBUTTONUP:
            ReleaseCapture();
            return 0;
        case WM_MOUSEMOVE:
            if (GetCapture() == Handle() && (wParam & MK_LBUTTON) && onDrag) {
                POINT at{};
                GetCursorPos(&at);
                ScreenToClient(GetParent(Handle()), &at);
                onDrag(static_cast<int>(at.x));
            }
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace vt::win32
