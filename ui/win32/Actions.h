// The main window's actions (caption, hint, image, toolbar text) and the menus built from them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <string>

#include "platform/win32/Handles.h"
#include "ui/win32/MainWindowIds.h"

namespace vt::win32 {

struct Action {
    int command;
    const char* caption;      // with its "&" and, after a tab, its key
    const char* hint;         // "short|long", or one text for both
    int image;                // in the 20 x 20 action images; -1 for none
    const char* toolbarText;  // nullptr: not on the toolbar
};

// The action of a command; nullptr for none.
const Action* FindAction(int command);

// The part of a hint that the status bar shows: after "|", or all of it.
std::string LongHint(const std::string& hint);

// Appends the actions' items, 0 for a separator; without keys, the captions end before their tab.
// Items with an image are drawn from the image list by DrawMenuImage.
void AppendActions(HMENU menu, std::initializer_list<int> commands, bool withKeys = true);
// The menu bar and the tree's pop-up menu.
HMENU BuildMainMenu();
UniqueMenu BuildTreeMenu();
// Whether Alt with that key opens a menu of the menu bar: a title's "&" key.
bool IsMenuTitleKey(HMENU bar, char key);
// The keys of the actions that have one: F1 help, F12 About.
UniqueAccelerators BuildAccelerators();
// The toolbar of kToolbarCommands, with the action images and the toolbar texts.
HWND BuildToolbar(HWND parent, int id, HIMAGELIST images);
bool MeasureMenuImage(MEASUREITEMSTRUCT& item, int imageSize);
bool DrawMenuImage(const DRAWITEMSTRUCT& item, HIMAGELIST images);

// The toolbar's buttons, left to right, 0 for a divider.
inline constexpr int kToolbarCommands[] = {kCmdAdd, kCmdRename, kCmdDelete, 0, kCmdApply, 0,
                                           kCmdOptions, 0, kCmdExit};

}  // namespace vt::win32
