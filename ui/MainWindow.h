// The main window's logic: its parts over their shared state, wired together, and the start
// sequence.
#pragma once

#include <string>

#include "core/CommandLine.h"
#include "platform/Platform.h"
#include "ui/FormState.h"
#include "ui/KeepDialog.h"
#include "ui/MainViews.h"
#include "ui/UpdateNetStatus.h"

namespace vt {

inline constexpr char kGateMessage[] =
    "Sorry, this product can only be ran on Windows 2000, XP, 2003 or higher, Vista or Home "
    "Server 32b. The running is aborted.";
inline constexpr char kGateCaption[] = "Information";
inline constexpr char kNewerWindowsQuestion[] =
    "This program was made for Windows 2000, XP, 2003 and Vista. Run it on this newer Windows "
    "from now on?";

class TfrmMain {
  public:
    // The start request is decided once, by the program's entry, from its command line.
    TfrmMain(Platform& platform, MainViews views, StartRequest request);
    // The refresh loop ends before the form it refreshes.
    ~TfrmMain() { views_.frame.StopStatusThread(); }
    TfrmMain(const TfrmMain&) = delete;
    TfrmMain& operator=(const TfrmMain&) = delete;

    // The start sequence. An error ends it at the step that raised it and passes to the caller,
    // which reports it; what was set up before that step stays.
    void FormCreate();

    bool ShowMainWindow() const { return showMainWindow_; }
    // Apply mode ends the program after the apply, also when an error escaped it; so does a start
    // whose settings file could not be read.
    bool EndsAfterStart() const { return request_.mode == StartMode::Apply || settingsUnread_; }
    // For a caller that asked for a report (the copy that had this one run as administrator),
    // in codes only a report gives.
    int ExitCode() const {
        return request_.reportsToCaller ? static_cast<int>(kReportedExitCodes) + exitCode_
                                        : exitCode_;
    }
    const StartRequest& Request() const { return request_; }

    MainParts Parts() { return {Tree, Tabs, Editor, Status, Tray, Actions, OptionsAction}; }

    ConfigSession Session;
    FormState State;
    WindowApplyHost ApplyHostWindow;
    ApplyFlow Applying;
    SettingsEditor Editor;
    CardTabs Tabs;
    ConfigTree Tree;
    StatusPanel Status;
    TrayMenu Tray;
    Shortcuts Actions;
    Options OptionsAction;
    TUpdateNetStatus StatusThread;

  private:
    void StartSequence();
    void FollowSettingsFile();
    // On Windows 7 and later: whether the user lets it run there, asked once and remembered.
    bool RunsOnNewerWindows();

    void FillConfigTree();

    Platform& platform_;
    MainViews views_;
    StartRequest request_;
    bool showMainWindow_ = true;
    bool settingsUnread_ = false;
    int exitCode_ = 0;
};

// The settings file's full path: the executable's folder, with its backslash, and the file name.
std::string SettingsPathFor(const std::string& executablePath);

}  // namespace vt
