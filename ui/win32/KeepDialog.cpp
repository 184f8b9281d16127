// The keep dialog's window, forwarding to the portable logic.
#include "ui/win32/KeepDialog.h"

#include "ui/win32/ControlTable.h"

namespace vt::win32 {

namespace {

constexpr UINT_PTR kCountdownTimer = 1;
constexpr UINT kTickMs = 250;  // the line turns within a quarter second of the clock

}  // namespace

void Win32KeepDialog::Run(HWND owner, TfrmKeep& logic) {
    logic_ = &logic;
    caption_ = logic.Caption();
    ownerHidden_ = !owner || !IsWindowVisible(owner);
    ModalDialog::Run(owner);
    logic_ = nullptr;
}

bool Win32KeepDialog::OnInitDialog() {
    const std::string question = logic_->Question();
    CreateControls(Window(), {
        {kIdKeepQuestion, "STATIC", question.c_str(), SS_NOPREFIX, 16, 14, 328, 32},
        {kIdKeepCountdown, "STATIC", "", SS_NOPREFIX, 16, 50, 328, 18},
        {kIdBtnKeep, "BUTTON", "&Keep", WS_TABSTOP, 148, 86, 92, 26},
        {kIdBtnRestoreNow, "BUTTON", "&Restore Now", WS_TABSTOP | BS_DEFPUSHBUTTON, 252, 86, 92,
         26},
    });
    // From the tray or a shortcut no window of ours is in sight: the dialog has its own button.
    if (ownerHidden_)
        SetWindowLongPtrA(Window(), GWL_EXSTYLE,
                          GetWindowLongPtrA(Window(), GWL_EXSTYLE) | WS_EX_APPWINDOW);
    logic_->FormShow();
    SetTimer(Window(), kCountdownTimer, kTickMs, nullptr);
    SetForegroundWindow(Window());
    // Only a deliberate Keep keeps: Enter goes to "&Restore Now".
    SetFocus(Item(kIdBtnRestoreNow));
    return false;
}

void Win32KeepDialog::ShowCountdown(const std::string& text) {
    SetWindowTextA(Item(kIdKeepCountdown), text.c_str());
}

void Win32KeepDialog::OnTimer(UINT_PTR id) {
    if (id == kCountdownTimer) logic_->TimerTick();
}

bool Win32KeepDialog::OnCommand(int id, int, HWND) {
    switch (id) {
        case kIdBtnKeep: logic_->btnKeepClick(); return true;
        case kIdBtnRestoreNow:
        case IDOK:
        case IDCANCEL:  // Escape and the close box
            logic_->btnRestoreClick();
            return true;
        default: return false;
    }
}

}  // namespace vt::win32
