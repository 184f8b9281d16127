// How the main window's form and its real window meet: the views the parts draw on, and the parts
// the window's events go to.
#pragma once

#include "ui/CardTabs.h"
#include "ui/ConfigTree.h"
#include "ui/MainView.h"
#include "ui/OptionsAction.h"
#include "ui/SettingsEditor.h"
#include "ui/Shortcuts.h"
#include "ui/StatusPanel.h"
#include "ui/TrayMenu.h"

namespace vt {

// The views of the main window's parts; the real window is all of them at once.
struct MainViews {
    MainView& frame;
    ConfigTreeView& tree;
    CardTabsView& tabs;
    EditorView& editor;
    StatusPanelView& status;
    TrayView& tray;
};

// The parts that the window's controls, menus and messages are handed to.
struct MainParts {
    ConfigTree& tree;
    CardTabs& tabs;
    SettingsEditor& editor;
    StatusPanel& status;
    TrayMenu& tray;
    Shortcuts& actions;
    Options& options;
};

}  // namespace vt
