// The tray icon through Shell_NotifyIcon, and the tray menu built on each right click.
#include "ui/win32/Win32TrayView.h"

#include <shellapi.h>

#include <string>

#include "core/ProductIdentity.h"
#include "resources/resource.h"
#include "ui/win32/Actions.h"
#include "platform/win32/Dpi.h"
#include "ui/win32/MainWindowIds.h"

namespace vt::win32 {

void Win32TrayView::Create(HWND mainWindow, TrayMenu& logic) {
    logic_ = &logic;
    main_ = mainWindow;
    const UINT dpi = WindowDpi(mainWindow);
    icon_ = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP),
                                          IMAGE_ICON, SystemMetric(SM_CXSMICON, dpi),
                                          SystemMetric(SM_CYSMICON, dpi), LR_SHARED));
    // Explorer says so when it starts again: the icon must then be added anew.
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    // Run as administrator on Windows 7 and later, the window would not hear it from the
    // user's Explorer unless it lets that message through; older Windows have no such filter.
    using AllowMessage = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    if (const auto allow = reinterpret_cast<AllowMessage>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("user32.dll"), "ChangeWindowMessageFilterEx"))))
        allow(mainWindow, taskbarCreated_, 1 /* MSGFLT_ALLOW */, nullptr);
}

Win32TrayView::~Win32TrayView() {
    if (visible_) Notify(NIM_DELETE);
}

bool Win32TrayView::Notify(DWORD action) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;  // understood by every system the program runs on
    data.hWnd = main_;
    data.uID = 1;
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = WM_TRAYICON;
    data.hIcon = icon_;
    lstrcpynA(data.szTip, kProductTitle, sizeof data.szTip);
    return Shell_NotifyIconA(action, &data) != FALSE;
}

void Win32TrayView::SetTrayIconVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Notify(visible ? NIM_ADD : NIM_DELETE);
}

void Win32TrayView::ShowMainWindow() {
    ShowWindow(main_, IsIconic(main_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(main_);
}

void Win32TrayView::HideMainWindow() {
    ShowWindow(main_, SW_HIDE);  // a hidden window has no taskbar button
}

void Win32TrayView::PopupTrayMenu(int x, int y) {
    const UniqueMenu menu(CreatePopupMenu());
    // The tray menu shows no keys.
    AppendActions(menu.Get(), {kCmdRestore, 0}, false);
    SetMenuDefaultItem(menu.Get(), kCmdRestore, FALSE);
    for (size_t i = 0; i < items_.size(); ++i)
        AppendMenuA(menu.Get(), MF_STRING, kCmdTrayItemFirst + i, items_[i].caption.c_str());
    AppendActions(menu.Get(), {0, kCmdOptions, kCmdAbout, 0, kCmdExit}, false);
    TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, main_, nullptr);
    // Without this the menu would not close when the user clicks elsewhere.
    PostMessageA(main_, WM_NULL, 0, 0);
}

bool Win32TrayView::OnCommand(int id) {
    if (id == kCmdRestore) {
        logic_->Restore1Click();
        return true;
    }
    const int index = id - kCmdTrayItemFirst;
    if (index < 0 || index >= static_cast<int>(items_.size())) return false;
    logic_->TrayItemClick(items_[static_cast<size_t>(index)].hint);
    return true;
}

bool Win32TrayView::OnMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        if (visible_) Notify(NIM_ADD);
        return true;
    }
    if (message != WM_TRAYICON) return false;
    POINT at{};
    GetCursorPos(&at);
    switch (LOWORD(lParam)) {
        case WM_LBUTTONDOWN: logic_->CoolTrayIcon1MouseDown(TrayButton::Left, at.x, at.y); break;
        case WM_RBUTTONDOWN: logic_->CoolTrayIcon1MouseDown(TrayButton::Right, at.x, at.y); break;
        case WM_MBUTTONDOWN: logic_->CoolTrayIcon1MouseDown(TrayButton::Other, at.x, at.y); break;
        case WM_LBUTTONDBLCLK:
            if (IsWindowVisible(main_)) SetForegroundWindow(main_);
            break;
        default: break;
    }
    return true;
}

}  // namespace vt::win32
