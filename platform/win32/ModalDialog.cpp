// The dialog base: the empty template, binding, sizing to the client area, dispatch.
#include "platform/win32/ModalDialog.h"

#include <algorithm>
#include <typeinfo>
#include <utility>
#include <vector>

#include "base/ScopeExit.h"
#include "platform/win32/ModalOwner.h"
#include "platform/win32/ErrorReport.h"
#include "platform/win32/Dpi.h"

namespace vt::win32 {

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// A dialog with no controls, no menu, the default class and no caption; the dialog makes its
// controls itself, in pixels.
struct alignas(4) EmptyTemplate {
    DLGTEMPLATE header{kDialogStyle, WS_EX_DLGMODALFRAME, 0, 0, 0, 0, 0};
    WORD menu = 0, windowClass = 0, title = 0;
};

}  // namespace

INT_PTR ModalDialog::Run(HWND owner) {
    // The dialogs open now, innermost last; all on this, the GUI thread.
    static std::vector<const ModalDialog*> open;
    for (const ModalDialog* dialog : open)
        if (typeid(*dialog) == typeid(*this)) {
            SetForegroundWindow(dialog->window_);
            return IDCANCEL;
        }
    open.push_back(this);
    const ScopeExit closed([&] {
        open.erase(std::find(open.begin(), open.end(), this));
        window_ = nullptr;
    });
    static const EmptyTemplate empty;
    const auto instance = reinterpret_cast<HINSTANCE>(GetModuleHandleA(nullptr));
    return DialogBoxIndirectParamA(instance, &empty.header, ModalOwnerFor(owner), Procedure,
                                   reinterpret_cast<LPARAM>(this));
}

// Centred on the work area of the owner's monitor, so that it opens at that monitor's DPI: moved
// there first, then sized for the DPI it has there.
void ModalDialog::PlaceCentred(const Frame& frame) {
    SetWindowTextA(window_, frame.caption);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(GetWindow(window_, GW_OWNER), MONITOR_DEFAULTTOPRIMARY),
                    &monitor);
    const RECT& desktop = monitor.rcWork;
    const auto place = [&](UINT dpi) {
        RECT outer{0, 0, Scaled(frame.clientWidth, dpi), Scaled(frame.clientHeight, dpi)};
        AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongA(window_, GWL_EXSTYLE)));
        const int width = outer.right - outer.left, height = outer.bottom - outer.top;
        SetWindowPos(window_, nullptr, desktop.left + (desktop.right - desktop.left - width) / 2,
                     desktop.top + (desktop.bottom - desktop.top - height) / 2, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(dpi_);
    if (WindowDpi(window_) == dpi_) return;
    dpi_ = WindowDpi(window_);
    place(dpi_);
}

void ModalDialog::OnDpiChanged(UINT dpi, const RECT& suggested) {
    const UINT old = std::exchange(dpi_, dpi);
    RescaleChildren(window_, old, dpi);
    const Frame frame = Layout();
    RECT outer{0, 0, Scaled(frame.clientWidth, dpi), Scaled(frame.clientHeight, dpi)};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(window_, GWL_EXSTYLE)));
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
    OnDpi(dpi);
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<ModalDialog*>(lParam);
        self->window_ = window;
        SetWindowLongPtrA(window, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!self) return FALSE;
    INT_PTR result = FALSE;
    Guarded(window, [&] { result = self->OnMessage(message, wParam, lParam); });
    return result;
}

INT_PTR ModalDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            dpi_ = WindowDpi(window_);
            PlaceCentred(Layout());
            return OnInitDialog() ? TRUE : FALSE;
        case kWmDpiChanged:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return TRUE;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return TRUE;
            if (id == IDCANCEL) {
                End(IDCANCEL);
                return TRUE;
            }
            return FALSE;
        }
        case WM_TIMER:
            OnTimer(wParam);
            return TRUE;
        case WM_CONTEXTMENU:
            OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
            return TRUE;
        case WM_SETCURSOR:
            if (!OnSetCursor(reinterpret_cast<HWND>(wParam))) return FALSE;
            SetWindowLongPtrA(window_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            return OnNotify(static_cast<int>(header.idFrom), header) ? TRUE : FALSE;
        }
        default:
            return FALSE;
    }
}

}  // namespace vt::win32
