// The actions' table and the menus made from it.
#include "ui/win32/Actions.h"

#include <initializer_list>

#include "ui/win32/MainWindowIds.h"

namespace vt::win32 {

namespace {

constexpr Action kActions[] = {
    {kCmdAdd, "&Add", "Add a configuration", 9, "Add"},
    {kCmdRename, "&Rename", "Rename current configuration name", 7, "Rename"},
    {kCmdDelete, "&Delete", "Delete current configuration", 6, "Delete"},
    {kCmdApply, "&Apply", "Apply current configuration", 5, "Apply"},
    {kCmdExit, "&Exit", "Quit", 8, "Exit"},
    {kCmdRestore, "&Restore                    ", "", 10, nullptr},
};

void Append(HMENU menu, std::initializer_list<int> commands) {
    for (int command : commands) {
        if (command == 0) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const Action* action = FindAction(command);
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STRING | (action->image >= 0 ? MIIM_BITMAP : 0u);
        item.wID = static_cast<UINT>(command);
        item.dwTypeData = const_cast<char*>(action->caption);
        item.hbmpItem = HBMMENU_CALLBACK;  // drawn from the action images, with their mask
        InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &item);
    }
}

HMENU Popup(std::initializer_list<int> commands) {
    HMENU menu = CreatePopupMenu();
    Append(menu, commands);
    return menu;
}

}  // namespace

const Action* FindAction(int command) {
    for (const Action& action : kActions)
        if (action.command == command) return &action;
    return nullptr;
}

std::string LongHint(const std::string& hint) {
    const size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

HMENU BuildMainMenu() {
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Popup({kCmdExit})), "&File");
    AppendMenuA(bar, MF_POPUP,
                reinterpret_cast<UINT_PTR>(Popup({kCmdAdd, kCmdRename, kCmdDelete, 0, kCmdApply})),
                "&Configuration");
    return bar;
}

HMENU BuildTreeMenu() {
    return Popup({kCmdAdd, kCmdRename, kCmdDelete, 0, kCmdApply});
}

bool MeasureMenuImage(MEASUREITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU) return false;
    item.itemWidth = 20;
    item.itemHeight = 20;
    return true;
}

bool DrawMenuImage(const DRAWITEMSTRUCT& item, HIMAGELIST images) {
    if (item.CtlType != ODT_MENU) return false;
    const Action* action = FindAction(static_cast<int>(item.itemID));
    if (!action || action->image < 0) return false;
    const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - 20) / 2;
    ImageList_Draw(images, action->image, item.hDC, item.rcItem.left, top,
                   (item.itemState & ODS_GRAYED) ? ILD_TRANSPARENT | ILD_BLEND50 : ILD_TRANSPARENT);
    return true;
}

}  // namespace vt::win32
