// The main window's start sequence: gate, settings file, cards, configuration tree, tabs, start
// mode.
#include "ui/MainWindow.h"

#include "base/Error.h"
#include "base/ScopeExit.h"
#include "core/MessageBox.h"
#include "core/OSVersion.h"
#include "core/ProductIdentity.h"
#include "core/SettingsLayout.h"
#include "net/DeviceControl.h"

namespace vt {

std::string SettingsPathFor(const std::string& executablePath) {
    const size_t slash = executablePath.find_last_of("\\/");
    const std::string folder =
        slash == std::string::npos ? std::string() : executablePath.substr(0, slash + 1);
    return folder + settings::kFileName;
}

TfrmMain::TfrmMain(Platform& platform, MainViews views)
    : Tree(*this, views.tree),
      Tabs(*this, views.tabs),
      Editor(*this, views.editor),
      Status(*this, views.status),
      Tray(*this, views.tray),
      Actions(*this),
      OptionsAction(*this),
      platform_(platform),
      views_(views) {}

SettingsFile& TfrmMain::Settings() {
    if (!settings_) throw Error("The settings file is not open.");
    return *settings_;
}

ApplyOutcome TfrmMain::ApplyConfiguration(const std::string& name) {
    ApplyContext context{platform_, Settings(), Cards, Marks, views_.frame.Handle()};
    return vt::ApplyConfiguration(context, name);
}

int TfrmMain::Ask(const std::string& text, const std::string& caption, unsigned flags) {
    return ShowMessageBox(platform_.prompts, views_.frame.Handle(), text, caption, flags);
}

void TfrmMain::FormCreate() {
    // Decided before anything can fail: in apply mode every way out of the start sequence is
    // a failure for scripts until the apply itself says otherwise, and no window opens.
    request_ = DecideStartMode(SplitCommandLine(platform_.system.CommandLine()));
    if (request_.mode == StartMode::Apply) {
        showMainWindow_ = false;
        exitCode_ = kExitApplyFailed;
    }

    if (!PassesVersionGate(OSVersionClass(platform_.system.QueryVersion()))) {
        showMainWindow_ = false;
        Ask(kGateMessage, kGateCaption, kMbIconInformation);
        views_.frame.Terminate();
        return;
    }

    views_.frame.SetApplicationTitle(kProductTitle);
    const std::string executable = platform_.system.ExecutablePath();
    settings_ = std::make_unique<SettingsFile>(platform_.files, SettingsPathFor(executable));
    views_.frame.SetCaption(kMainWindowCaption);
    try {
        settings_->WriteString(settings::kOptions, settings::kAppPath, executable);
    } catch (const Error&) {
        // Nothing reads AppPath: a file that refuses writes (read-only, or kept open by another
        // program) still starts the program. A file that cannot even be read stops it here.
        if (settings_->Unreadable()) throw;
    }
    views_.frame.SetConfigTitle("  Configurations");
    Editor.ShowEditorState(false, true, true, true, true);

    FillCards();
    FillConfigTree();
    Tabs.FillCardTabs();
    StatusThread.StopRequested = false;
    views_.frame.StartStatusThread(StatusThread);

    switch (request_.mode) {
        case StartMode::Window:
            break;
        case StartMode::Tray:
            showMainWindow_ = false;
            Tray.MinimizeToTray();
            break;
        case StartMode::Apply: {
            const ApplyOutcome outcome = ApplyConfiguration(request_.configName);
            exitCode_ = outcome == ApplyOutcome::NotFound     ? kExitNoSuchConfiguration
                        : outcome == ApplyOutcome::CardFailed ? kExitApplyFailed
                                                              : kExitApplied;
            views_.frame.Terminate();
            return;
        }
    }
}

void TfrmMain::FillCards() {
    const std::string filter = settings_->ReadString(settings::kOptions, settings::kFilters, "");
    Cards = EnumerateCards(platform_.registry, filter);
    // A filter that names only adapters gone since falls back to the default rule.
    if (Cards.empty()) Cards = EnumerateCards(platform_.registry, "");
    RefreshCardNames(platform_.devices, Cards);
}

void TfrmMain::FillConfigTree() {
    Tree.Clear();
    views_.tree.SetTreeRedraw(false);
    ScopeExit redrawAgain([&] { views_.tree.SetTreeRedraw(true); });
    for (const auto& [key, name] : settings_->ReadSectionValues(settings::kConfigurations)) {
        Updating = true;
        ScopeExit notUpdating([&] { Updating = false; });
        Tree.AddConfigNode(key, name, false, 0);
    }
}

}  // namespace vt
