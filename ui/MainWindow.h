// The main window's logic: the start sequence, what its parts share, and the parts themselves (the
// configuration tree, the card tabs, the settings editor).
#pragma once

#include <memory>
#include <string>

#include "core/ApplyEngine.h"
#include "core/CommandLine.h"
#include "core/SettingsFile.h"
#include "net/AdapterInventory.h"
#include "platform/Platform.h"
#include "ui/CardTabs.h"
#include "ui/ConfigTree.h"
#include "ui/MainView.h"
#include "ui/OptionsDialog.h"
#include "ui/SettingsEditor.h"
#include "ui/Shortcuts.h"
#include "ui/StatusPanel.h"
#include "ui/TrayMenu.h"
#include "ui/UpdateNetStatus.h"

namespace vt {

inline constexpr char kGateMessage[] =
    "Sorry, this product can only be ran on Windows 2000, XP, 2003 or higher, Vista or Home "
    "Server 32b. The running is aborted.";
inline constexpr char kGateCaption[] = "Information";

// Exit codes of apply mode, for scripts.
inline constexpr int kExitApplied = 0;
inline constexpr int kExitNoSuchConfiguration = 1;
inline constexpr int kExitApplyFailed = 2;

// The views of the main window's parts; the real window is all of them at once.
struct MainViews {
    MainView& frame;
    ConfigTreeView& tree;
    CardTabsView& tabs;
    EditorView& editor;
    StatusPanelView& status;
    TrayView& tray;
};

class TfrmMain {
  public:
    TfrmMain(Platform& platform, MainViews views);
    // The refresh loop ends before the form it refreshes.
    ~TfrmMain() { views_.frame.StopStatusThread(); }
    TfrmMain(const TfrmMain&) = delete;
    TfrmMain& operator=(const TfrmMain&) = delete;

    // The start sequence. An error ends it at the step that raised it and passes to the caller,
    // which reports it; what was set up before that step stays.
    void FormCreate();

    bool ShowMainWindow() const { return showMainWindow_; }
    // Apply mode ends the program after the apply, also when an error escaped it.
    bool EndsAfterStart() const { return request_.mode == StartMode::Apply; }
    int ExitCode() const { return exitCode_; }
    const StartRequest& Request() const { return request_; }

    // What the parts share.
    Platform& platform() { return platform_; }
    MainView& Frame() { return views_.frame; }
    SettingsFile& Settings();
    SettingsFile* SettingsIfOpen() { return settings_.get(); }
    // The managed cards; a card's position is its card index.
    TCardList Cards;
    // Set while the window changes its own controls: no save prompt, no reload, no edit marks.
    bool Updating = false;
    ApplyMarks Marks;

    ConfigTree Tree;
    CardTabs Tabs;
    SettingsEditor Editor;
    StatusPanel Status;
    TrayMenu Tray;
    Shortcuts Actions;
    Options OptionsAction;
    TUpdateNetStatus StatusThread;

    ApplyOutcome ApplyConfiguration(const std::string& name);
    // A message box owned by the main window.
    int Ask(const std::string& text, const std::string& caption, unsigned flags);

  private:
    void FillCards();
    void FillConfigTree();

    Platform& platform_;
    MainViews views_;
    std::unique_ptr<SettingsFile> settings_;
    StartRequest request_;
    bool showMainWindow_ = true;
    int exitCode_ = 0;
};

// The settings file's full path: the executable's folder, with its backslash, and the file name.
std::string SettingsPathFor(const std::string& executablePath);

}  // namespace vt
