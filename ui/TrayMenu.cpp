// The tray icon's events and the tray menu's configuration items.
#include "ui/TrayMenu.h"

#include "core/ConfigNames.h"

namespace vt {

void TrayMenu::MinimizeToTray() {
    view_.HideMainWindow();
    view_.SetTrayIconVisible(true);
}

void TrayMenu::CoolTrayIcon1MouseDown(TrayButton button, int x, int y) {
    if (button == TrayButton::Left) {
        Restore1Click();
    } else if (button == TrayButton::Right) {
        FillTrayMenu();
        view_.SetForeground();
        view_.PopupTrayMenu(x, y);
    }
}

void TrayMenu::Restore1Click() {
    view_.SetTrayIconVisible(false);
    view_.ShowMainWindow();
}

void TrayMenu::FillTrayMenu() {
    state_.FollowTheFile();
    std::vector<TrayItem> items;
    for (const auto& [key, name] : MenuConfigurations(session_.Settings()))
        items.push_back({name, name});
    view_.SetTrayItems(items);
}

void TrayMenu::TrayItemClick(const std::string& hint) {
    apply_.ApplyConfiguration(hint);
}

}  // namespace vt
