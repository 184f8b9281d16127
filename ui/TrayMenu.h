// The tray icon's behaviour: the window to and from the tray, and the tray menu's configuration
// items, which apply a configuration without opening the window.
#pragma once

#include <string>
#include <vector>

#include "core/ApplyFlow.h"
#include "ui/FormState.h"

namespace vt {

struct TrayItem {
    std::string caption;  // the display name; an "&" shows the next character as the access key
    std::string hint;     // the display name again: what a click applies
};

// What the tray's logic asks of the icon, the main window and the tray menu.
class TrayView {
  public:
    virtual ~TrayView() = default;
    virtual void SetTrayIconVisible(bool visible) = 0;
    // Makes the main window visible and normal, in front; or invisible without a taskbar button.
    virtual void ShowMainWindow() = 0;
    virtual void HideMainWindow() = 0;
    // Replaces the configuration items after the first separator.
    virtual void SetTrayItems(const std::vector<TrayItem>& items) = 0;
    virtual void SetForeground() = 0;
    // Opens the tray menu at the screen position.
    virtual void PopupTrayMenu(int x, int y) = 0;
};

enum class TrayButton { Left, Right, Other };

class TrayMenu {
  public:
    TrayMenu(ConfigSession& session, FormState& state, ApplyFlow& apply, TrayView& view)
        : session_(session), state_(state), apply_(apply), view_(view) {}

    // The window goes to the tray (minimising, or the tray start).
    void MinimizeToTray();
    void CoolTrayIcon1MouseDown(TrayButton button, int x, int y);
    void Restore1Click();
    void FillTrayMenu();
    void TrayItemClick(const std::string& hint);

  private:
    ConfigSession& session_;
    FormState& state_;
    ApplyFlow& apply_;
    TrayView& view_;
};

}  // namespace vt
