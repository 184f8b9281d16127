// The main window's start sequence: gate, settings file, cards, configuration tree, tabs, start
// mode.
#include "ui/MainWindow.h"

#include <optional>
#include <utility>

#include "base/Error.h"
#include "base/PathText.h"
#include "base/ScopeExit.h"
#include "core/OSVersion.h"
#include "core/ProductIdentity.h"
#include "core/SettingsLayout.h"
#include "net/DeviceControl.h"

namespace vt {

std::string SettingsPathFor(const std::string& executablePath) {
    return FolderOf(executablePath) + settings::kFileName;
}

TfrmMain::TfrmMain(Platform& platform, MainViews views, StartRequest request)
    : Session(platform),
      State(platform.prompts, views.frame.Handle(), views.tabs),
      ApplyHostWindow(platform.prompts, platform.system, views.frame.Handle(), views.frame),
      Applying(Session, ApplyHostWindow),
      Editor(Session, State, Applying, views.editor),
      Tabs(Session, State, Editor, views.tabs),
      Tree(Session, State, Editor, Applying, views.tree),
      Status(Session, State, views.status),
      Tray(Session, State, Applying, views.tray),
      Actions(Session, State, views.frame),
      OptionsAction(Session, State, Tree, Editor, Tabs, views.frame),
      platform_(platform),
      views_(views),
      request_(std::move(request)) {
    // The title box clicked in an empty tree adds a configuration first.
    Editor.EnsureConfiguration = [this] {
        if (Tree.Nodes().empty()) Tree.actAddExecute();
    };
    State.FollowFile = [this] { FollowSettingsFile(); };
}

void TfrmMain::FollowSettingsFile() {
    SettingsFile* settings = Session.SettingsIfOpen();
    if (!settings) return;
    const auto configurations = settings->ReadSectionValues(settings::kConfigurations);
    if (Tree.Shows(configurations)) return;
    // None of the configurations shown is left: the file went, or another took its place.
    bool replaced = !Tree.Nodes().empty();
    for (const auto& node : Tree.Nodes())
        for (const auto& entry : configurations) replaced &= entry.first != node->ConfigKey;
    Tree.Follow(configurations);
    if (!replaced) return;  // another copy's changes: followed without a word
    Session.LoadCards(true);
    Tabs.FillCardTabs();
    State.Ask("The settings file " + settings->Path() +
                  " was removed or replaced. The window now shows what it holds.",
              kProductTitle, kMbIconInformation);
}

void TfrmMain::FormCreate() {
    // Before anything can fail: in apply mode every way out of the start sequence is a failure
    // for scripts until the apply itself says otherwise, and no window opens.
    if (request_.mode == StartMode::Apply) {
        showMainWindow_ = false;
        exitCode_ = kExitApplyFailed;
    }
    try {
        StartSequence();
    } catch (const SettingsUnreadable&) {
        // No window on a file it did not read: its Save or Add would write over what it holds.
        // The caller reports the error, then ends the program (EndsAfterStart).
        showMainWindow_ = false;
        exitCode_ = kExitApplyFailed;
        settingsUnread_ = true;
        throw;
    }
}

void TfrmMain::StartSequence() {
    const std::string executable = platform_.system.ExecutablePath();
    const OsVersionInfo version = platform_.system.QueryVersion();
    bool passes = PassesVersionGate(OSVersionClass(version));
    if (!passes && IsNewerWindows(version)) {
        Session.OpenSettings(SettingsPathFor(executable));
        passes = RunsOnNewerWindows();
        if (!passes) return;  // the user said No: ended as the refusal ends, nothing written
        Applying.OfferElevation(true);
    }
    if (!passes) {
        showMainWindow_ = false;
        State.Ask(kGateMessage, kGateCaption, kMbIconInformation);
        views_.frame.Terminate();
        return;
    }

    platform_.system.TraceStartup("version gate");
    views_.frame.SetApplicationTitle(kProductTitle);
    if (!Session.SettingsIfOpen()) Session.OpenSettings(SettingsPathFor(executable));
    SettingsFile& settings = Session.Settings();
    views_.frame.SetCaption(kMainWindowCaption);
    try {
        settings.WriteString(settings::kOptions, settings::kAppPath, executable);
    } catch (const Error&) {
        // Nothing reads AppPath: a file that refuses writes (read-only, or kept open by another
        // program) still starts the program. A file that cannot even be read stops it here.
        if (settings.Unreadable()) throw SettingsUnreadable("Unable to read " + settings.Path());
    }
    platform_.system.TraceStartup("settings file and AppPath");
    std::optional<SettingsFile::Snapshot> look(std::in_place, settings);
    // Apply mode shows no window: what only the window shows is not filled in.
    const bool shows = request_.mode != StartMode::Apply;
    if (shows) {
        views_.frame.SetConfigTitle("  Configurations");
        Editor.ShowEditorState(false, true, true, true, true);
    }

    // Apply mode names a card's device only when it is missing, which has no friendly name.
    Session.LoadCards(shows);
    platform_.system.TraceStartup(shows ? "cards and their devices' names" : "cards");
    if (shows) {
        FillConfigTree();
        platform_.system.TraceStartup("configuration tree");
        Tabs.FillCardTabs();
        platform_.system.TraceStartup("card tabs");
    }
    look.reset();
    StatusThread.StopRequested = false;
    views_.frame.StartStatusThread(StatusThread, platform_.ipHelper,
                                   request_.mode == StartMode::Window);
    platform_.system.TraceStartup("status thread started");

    // A copy that ended while it asked whether to keep new settings left them on record: they
    // are made good before anything else, in every mode (the tray start at logon among them).
    Applying.RecoverCheckpoint();
    platform_.system.TraceStartup("checkpoint");

    switch (request_.mode) {
        case StartMode::Window:
            break;
        case StartMode::Tray:
            showMainWindow_ = false;
            Tray.MinimizeToTray();
            break;
        case StartMode::Apply: {
            const ApplyOutcome outcome = Applying.ApplyConfiguration(request_.configName);
            exitCode_ = outcome == ApplyOutcome::NotFound     ? kExitNoSuchConfiguration
                        : outcome == ApplyOutcome::CardFailed ? kExitApplyFailed
                        : outcome == ApplyOutcome::Refused    ? kExitApplyFailed
                        : outcome == ApplyOutcome::Restored   ? kExitRestored
                                                              : kExitApplied;
            views_.frame.Terminate();
            return;
        }
    }
}

bool TfrmMain::RunsOnNewerWindows() {
    SettingsFile& settings = Session.Settings();
    if (settings.ReadInteger(settings::kOptions, settings::kRunOnNewerWindows, 0) == 1) return true;
    // Where nobody sees the question, nobody answers it: apply mode ends as No ends, with a code
    // of its own that tells the script why.
    if (request_.mode == StartMode::Apply && !platform_.system.CanShowWindows()) {
        exitCode_ = kExitNobodyToAsk;
        views_.frame.Terminate();
        return false;
    }
    // Asked once, instead of the refusal: Yes is remembered, No ends the program.
    if (State.Ask(kNewerWindowsQuestion, kProductTitle, kMbYesNo | kMbIconQuestion) != kIdYes) {
        showMainWindow_ = false;
        views_.frame.Terminate();
        return false;
    }
    try {
        settings.WriteInteger(settings::kOptions, settings::kRunOnNewerWindows, 1);
    } catch (const Error&) {
        // A file that refuses writes: this start goes on, and the next one asks again.
        if (settings.Unreadable()) throw SettingsUnreadable("Unable to read " + settings.Path());
    }
    return true;
}

void TfrmMain::FillConfigTree() {
    Tree.Clear();
    views_.tree.SetTreeRedraw(false);
    ScopeExit redrawAgain([&] { views_.tree.SetTreeRedraw(true); });
    for (const auto& [key, name] :
         Session.Settings().ReadSectionValues(settings::kConfigurations)) {
        const FormState::UpdatingScope updating(State);
        Tree.AddConfigNode(key, name, false, 0);
    }
}

}  // namespace vt
