// What the Options action shows, and what OK stores and carries out.
#include "ui/OptionsAction.h"

#include <optional>

#include "base/PathText.h"
#include "core/CommandLine.h"
#include "core/ProductIdentity.h"
#include "core/SettingsLayout.h"
#include "net/DeviceControl.h"
#include "core/KeepOptions.h"
#include "ui/Shortcuts.h"

namespace vt {

void Options::actOptionsExecute() {
    state_.FollowTheFile();
    SettingsFile& settings = session_.Settings();
    Platform& platform = session_.platform;
    TfrmOptions dialog(frame_.OptionsDialogView(), platform.prompts);
    std::optional<SettingsFile::Snapshot> look(std::in_place, settings);
    dialog.LoadCardList(platform.registry, session_.Cards().List());
    dialog.Autorun = settings.ReadBool(settings::kOptions, settings::kAutorun, false);
    dialog.EnableMenu = settings.ReadBool(settings::kOptions, settings::kEnableMenu, true);
    dialog.CustomizeIcon = settings.ReadBool(settings::kOptions, settings::kCustomizeIcon, false);
    dialog.ConfirmApply = AsksToKeep(settings, platform.system.IsRemoteSession());
    dialog.ConfirmSeconds = SecondsToKeep(settings);
    dialog.OldFilters = dialog.GetFilters();
    // Other cards mean other tabs: unsaved edits are offered for the card they were made for.
    dialog.ConfirmCardsChange = [this] { return editor_.ConfirmSave(); };
    for (const auto& node : tree_.Nodes())
        dialog.Items.push_back({node->Text, node->ConfigKey,
                                settings.ReadBool(node->ConfigKey, settings::kShowInMenu, false)});
    look.reset();  // the dialog's own actions look again
    const TfrmOptions opened = dialog;
    frame_.RunOptionsDialog(dialog);
    if (dialog.Accepted) Store(dialog, opened);
}

void Options::Store(const TfrmOptions& dialog, const TfrmOptions& opened) {
    SettingsFile& settings = session_.Settings();
    Platform& platform = session_.platform;
    const bool filtersChanged = dialog.NewFilters != dialog.OldFilters;
    // Every choice in one write: quick with many configurations, and a refusal stores none of
    // them and changes nothing else. Only what the user changed in the dialog is written, over
    // the file as it is now: another copy's changes meanwhile stay, and a configuration deleted
    // meanwhile gets no section back.
    settings.Update([&](SettingsFile::Batch& batch) {
        for (size_t i = 0; i < dialog.Items.size(); ++i) {
            const OptionsItem& item = dialog.Items[i];
            if (item.checked != opened.Items[i].checked &&
                batch.Value(settings::kConfigurations, item.key))
                batch.WriteBool(item.key, settings::kShowInMenu, item.checked);
        }
        if (filtersChanged)
            batch.WriteString(settings::kOptions, settings::kFilters, dialog.NewFilters);
        const auto flag = [&](const char* key, bool now, bool before) {
            if (now != before) batch.WriteBool(settings::kOptions, key, now);
        };
        flag(settings::kAutorun, dialog.Autorun, opened.Autorun);
        flag(settings::kEnableMenu, dialog.EnableMenu, opened.EnableMenu);
        flag(settings::kCustomizeIcon, dialog.CustomizeIcon, opened.CustomizeIcon);
        // Set once by the user, it no longer follows the kind of session.
        flag(settings::kConfirmApply, dialog.ConfirmApply, opened.ConfirmApply);
        if (dialog.ConfirmSeconds != opened.ConfirmSeconds)
            batch.WriteInteger(settings::kOptions, settings::kConfirmSeconds,
                               KeepSecondsWithin(dialog.ConfirmSeconds));
    });
    if (filtersChanged) {
        session_.Cards().Load(platform.registry, platform.devices, dialog.NewFilters, true);
        tabs_.FillCardTabs();
    }

    const std::string executable = platform.system.ExecutablePath();
    const std::string autorun = AutorunLinkPath(platform.shell);  // empty: no Startup folder
    if (dialog.Autorun && !autorun.empty()) {
        ShellLink link;
        link.file = autorun;
        link.description = kProductTitle;
        link.target = executable;
        link.arguments = std::string("\"") + kTrayStartArgument + "\"";
        link.workingDirectory = FolderOf(executable);
        link.showCommand = kSwHide;
        CreateLink(platform.shell, link);  // a link that cannot be written is not reported
    } else if (!dialog.Autorun && platform.shell.FileExists(autorun)) {
        platform.shell.RemoveFile(autorun);
    }
    const bool enable = settings.ReadBool(settings::kOptions, settings::kEnableMenu, true);
    int32_t result = 0;
    // Registering stays silent when it fails; removing that is refused must not pass for done:
    // the menu would stay for every user of the machine.
    if (RegisterContextMenu(platform.shell, FolderOf(executable) + kContextMenuLibrary, enable,
                            result) &&
        !enable && result == kAccessDeniedResult)
        state_.Ask(kContextMenuStays, "Options", kMbIconWarning);
}

}  // namespace vt
