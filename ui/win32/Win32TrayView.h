// The notification-area icon and the tray menu, for the main window.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/TrayMenu.h"

namespace vt::win32 {

class Win32TrayView : public TrayView {
  public:
    // The icon's and the tray menu's events go to `logic`.
    void Create(HWND mainWindow, TrayMenu& logic);
    ~Win32TrayView() override;

    // --- TrayView
    void SetTrayIconVisible(bool visible) override;
    void ShowMainWindow() override;
    void HideMainWindow() override;
    void SetTrayItems(const std::vector<TrayItem>& items) override { items_ = items; }
    void SetForeground() override { SetForegroundWindow(main_); }
    void PopupTrayMenu(int x, int y) override;

    // WM_TRAYICON, the taskbar's restart, the tray menu's commands; true when handled.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCommand(int id);

  private:
    bool Notify(DWORD action);

    TrayMenu* logic_ = nullptr;
    HWND main_ = nullptr;
    HICON icon_ = nullptr;
    bool visible_ = false;
    UINT taskbarCreated_ = 0;
    std::vector<TrayItem> items_;
};

}  // namespace vt::win32
