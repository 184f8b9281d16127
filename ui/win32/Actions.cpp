// The actions' table and the menus made from it.
#include "ui/win32/Actions.h"

#include <cstring>

#include "base/AnsiText.h"
#include "ui/win32/ControlTable.h"
#include "ui/win32/Controls.h"
#include "ui/win32/Images.h"
#include "ui/win32/MainWindowIds.h"

namespace vt::win32 {

namespace {

constexpr Action kActions[] = {
    {kCmdAdd, "&Add", "Add a configuration", 9, "Add"},
    {kCmdRename, "&Rename", "Rename current configuration name", 7, "Rename"},
    {kCmdDelete, "&Delete", "Delete current configuration", 6, "Delete"},
    {kCmdApply, "&Apply", "Apply current configuration", 5, "Apply"},
    {kCmdTakeCurrent, "Take &Current Settings", "Fill the editor with the card's current settings",
     -1, nullptr},
    {kCmdExit, "&Exit", "Quit", 8, "Exit"},
    {kCmdRestore, "&Restore                    ", "", 10, nullptr},
    {kCmdOptions, "&Options", "Options", 4, "Options"},
    {kCmdDesktopShortcut, "D&esktop Shortcut", "Create a desktop shortcut", -1, nullptr},
    {kCmdQuickLaunch, "&Quick Launch Shortcut", "Create a quick launch shortcut", -1, nullptr},
    {kCmdHelp, "Help &Topics\tF1", "Lists help topics", 0, nullptr},
    {kCmdHomepage, "Visit Our &Homepage", "To visit our homepage", 2, nullptr},
    {kCmdWebsite, "Velmora Tarvello &On the web", "To visit the Velmora Tarvello web site", -1,
     nullptr},
    {kCmdFeedback, "&Send Feedback", "To send us your suggestions, ideas and bug reports", 1,
     nullptr},
    {kCmdAbout, "&About...\tF12", "Shows the product's name, version and home page", -1, nullptr},
};

HMENU Popup(std::initializer_list<int> commands) {
    HMENU menu = CreatePopupMenu();
    AppendActions(menu, commands);
    return menu;
}

}  // namespace

void AppendActions(HMENU menu, std::initializer_list<int> commands, bool withKeys) {
    for (int command : commands) {
        if (command == 0) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const Action* action = FindAction(command);
        std::string caption = action->caption;
        if (!withKeys) caption = caption.substr(0, caption.find('\t'));
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STRING | (action->image >= 0 ? MIIM_BITMAP : 0u);
        item.wID = static_cast<UINT>(command);
        item.dwTypeData = caption.data();
        item.hbmpItem = HBMMENU_CALLBACK;  // drawn from the action images, with their mask
        InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &item);
    }
}

const Action* FindAction(int command) {
    for (const Action& action : kActions)
        if (action.command == command) return &action;
    return nullptr;
}

std::string LongHint(const std::string& hint) {
    const size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

// Add, Rename, Delete, the shortcut submenu, Apply, Take Current Settings: the configuration menu
// and the tree's.
HMENU ConfigurationMenu(const char* shortcutCaption) {
    HMENU menu = Popup({kCmdAdd, kCmdRename, kCmdDelete, 0});
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(Popup({kCmdDesktopShortcut, kCmdQuickLaunch})),
                shortcutCaption);
    AppendActions(menu, {0, kCmdApply, kCmdTakeCurrent});
    return menu;
}

HMENU BuildMainMenu() {
    HMENU bar = CreateMenu();
    const auto add = [bar](HMENU popup, const char* caption) {
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), caption);
    };
    add(Popup({kCmdExit}), "&File");
    add(ConfigurationMenu("Create ShortCut"), "&Configuration");
    add(Popup({kCmdOptions}), "&Tools");
    add(Popup({kCmdHelp, 0, kCmdHomepage, kCmdWebsite, kCmdFeedback, 0, kCmdAbout}), "&Help");
    return bar;
}

UniqueMenu BuildTreeMenu() {
    return UniqueMenu(ConfigurationMenu("Create Shortcut"));
}

bool IsMenuTitleKey(HMENU bar, char key) {
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        char title[64] = {};
        GetMenuStringA(bar, static_cast<UINT>(i), title, sizeof title, MF_BYPOSITION);
        const char* amp = std::strchr(title, '&');
        if (amp && amp[1] && FoldCase(amp[1]) == FoldCase(key)) return true;
    }
    return false;
}

UniqueAccelerators BuildAccelerators() {
    ACCEL keys[] = {{FVIRTKEY, VK_F1, kCmdHelp}, {FVIRTKEY, VK_F12, kCmdAbout}};
    return UniqueAccelerators(CreateAcceleratorTableA(keys, 2));
}

HWND BuildToolbar(HWND parent, int id, HIMAGELIST images) {
    const Toolbar toolbar(CreateWindowExA(
        0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP,
        0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr));
    toolbar.SetImages(images);
    toolbar.SetFont(GuiFont(parent));
    std::vector<TBBUTTON> buttons;
    for (int command : kToolbarCommands) {
        const Action* action = FindAction(command);
        buttons.push_back(command == 0
                              ? Toolbar::Divider()
                              : Toolbar::Button(command, action->image, action->toolbarText));
    }
    toolbar.AddButtons(buttons);
    toolbar.AutoSize();
    return toolbar.Handle();
}

bool MeasureMenuImage(MEASUREITEMSTRUCT& item, int imageSize) {
    if (item.CtlType != ODT_MENU) return false;
    item.itemWidth = static_cast<UINT>(imageSize);
    item.itemHeight = static_cast<UINT>(imageSize);
    return true;
}

bool DrawMenuImage(const DRAWITEMSTRUCT& item, HIMAGELIST images) {
    if (item.CtlType != ODT_MENU) return false;
    const Action* action = FindAction(static_cast<int>(item.itemID));
    if (!action || action->image < 0) return false;
    int size = 0, height = 0;
    ImageList_GetIconSize(images, &size, &height);
    const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - height) / 2;
    ImageList_Draw(images, action->image, item.hDC, item.rcItem.left, top,
                   (item.itemState & ODS_GRAYED) ? ILD_TRANSPARENT | ILD_BLEND50 : ILD_TRANSPARENT);
    return true;
}

}  // namespace vt::win32
