// The main window's start sequence: gate, settings file, cards, configuration tree, start mode.
#include "ui/MainWindow.h"

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

TfrmMain::TfrmMain(Platform& platform, MainView& view) : platform_(platform), view_(view) {}

ApplyOutcome TfrmMain::ApplyConfiguration(const std::string& name) {
    ApplyContext context{platform_, *settings_, Cards, Marks, view_.Handle()};
    return vt::ApplyConfiguration(context, name);
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
        ShowMessageBox(platform_.prompts, view_.Handle(), kGateMessage, kGateCaption,
                       kMbIconInformation);
        view_.Terminate();
        return;
    }

    view_.SetApplicationTitle(kProductTitle);
    const std::string executable = platform_.system.ExecutablePath();
    settings_ = std::make_unique<SettingsFile>(platform_.files, SettingsPathFor(executable));
    view_.SetCaption(kMainWindowCaption);
    settings_->WriteString(settings::kOptions, settings::kAppPath, executable);
    view_.SetConfigTitle("  Configurations");

    FillCards();
    FillConfigTree();

    switch (request_.mode) {
        case StartMode::Window:
            break;
        case StartMode::Tray:
            // Until the tray icon exists the window stays visible, so the program is never
            // left running with nothing on screen.
            break;
        case StartMode::Apply: {
            const ApplyOutcome outcome = ApplyConfiguration(request_.configName);
            exitCode_ = outcome == ApplyOutcome::NotFound     ? kExitNoSuchConfiguration
                        : outcome == ApplyOutcome::CardFailed ? kExitApplyFailed
                                                              : kExitApplied;
            view_.Terminate();
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
    view_.ClearTree();
    configNodes_.clear();
    view_.SetTreeRedraw(false);
    ScopeExit redrawAgain([&] { view_.SetTreeRedraw(true); });

    for (const std::string& key : settings_->ReadSection(settings::kConfigurations)) {
        Updating = true;
        ScopeExit notUpdating([&] { Updating = false; });
        const std::string name = settings_->ReadString(settings::kConfigurations, key, "");
        AddConfigNode(key, name, false, 0);
    }
}

void TfrmMain::AddConfigNode(const std::string& key, const std::string& name, bool select,
                             int imageIndex) {
    auto node = std::make_unique<TConfigNode>();
    node->Text = name;
    node->ConfigKey = key;
    node->Modified = false;
    configNodes_.push_back(std::move(node));
    view_.AppendTreeNode(*configNodes_.back(), imageIndex, select);
}

}  // namespace vt
