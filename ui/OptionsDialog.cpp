// Filling the options dialog, its buttons, and what OK stores and carries out.
#include "ui/OptionsDialog.h"

#include "core/CommandLine.h"
#include "core/MessageBox.h"
#include "core/ProductIdentity.h"
#include "core/SettingsLayout.h"
#include "net/DeviceControl.h"
#include "ui/MainWindow.h"
#include "ui/Shortcuts.h"

namespace vt {

namespace {

constexpr unsigned kMbIconWarning = 0x30;

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.find_last_of("\\/") + 1);
}

}  // namespace

void TfrmOptions::LoadCardList(RegistryFactory& registry, const TCardList& cards) {
    std::string connections;
    const auto key = registry.Create();
    if (key->OpenKey(kNetworkConnectionsKey, false)) {
        for (const std::string& name : key->GetKeyNames()) connections += name + ",";
        key->CloseKey();
    }
    CardList.clear();
    for (const TACard& card : EnumerateCards(registry, connections)) {
        bool managed = false;
        for (const TACard& current : cards) managed |= current.CfgInstanceId == card.CfgInstanceId;
        CardList.push_back({card.ConnectionName, card.DriverDesc, card.CfgInstanceId,
                            card.MediaSubType == kMediaSubTypeWireless ? 1 : 0, managed});
    }
}

std::string TfrmOptions::GetFilters() const {
    std::string filters;
    for (const OptionsCard& card : CardList)
        if (card.checked) filters += card.cfgInstanceId + ",";
    return filters;
}

void TfrmOptions::sBitBtn1Click() {
    NewFilters = GetFilters();
    if (NewFilters != OldFilters && ConfirmCardsChange && !ConfirmCardsChange()) return;
    if (NewFilters.empty())
        ShowMessageBox(prompts_, view_.Handle(), kNoAdaptersChosen, "Information",
                       kMbOk | kMbIconWarning);
    Accepted = true;
    view_.Close();
}

bool RegisterContextMenu(Shell& shell, const std::string& path, bool doRegister) {
    return shell.CallLibraryExport(path, doRegister ? "DllRegisterServer" : "DllUnregisterServer");
}

void Options::actOptionsExecute() {
    SettingsFile& settings = main_.Settings();
    Platform& platform = main_.platform();
    TfrmOptions dialog(main_.Frame().OptionsDialogView(), platform.prompts);
    dialog.LoadCardList(platform.registry, main_.Cards);
    dialog.Autorun = settings.ReadBool(settings::kOptions, settings::kAutorun, false);
    dialog.EnableMenu = settings.ReadBool(settings::kOptions, settings::kEnableMenu, true);
    dialog.CustomizeIcon = settings.ReadBool(settings::kOptions, settings::kCustomizeIcon, false);
    dialog.OldFilters = dialog.GetFilters();
    // Other cards mean other tabs: unsaved edits are offered for the card they were made for.
    dialog.ConfirmCardsChange = [this] { return main_.Tree.ConfirmSave(main_.Tree.Selected()); };
    for (const auto& node : main_.Tree.Nodes())
        dialog.Items.push_back({node->Text, node->ConfigKey,
                                settings.ReadBool(node->ConfigKey, settings::kShowInMenu, false)});
    main_.Frame().RunOptionsDialog(dialog);
    if (dialog.Accepted) Store(dialog);
}

void Options::Store(const TfrmOptions& dialog) {
    SettingsFile& settings = main_.Settings();
    Platform& platform = main_.platform();
    const bool filtersChanged = dialog.NewFilters != dialog.OldFilters;
    // Every choice in one write: quick with many configurations, and a refusal stores none of
    // them and changes nothing else.
    settings.Update([&](SettingsFile::Batch& batch) {
        for (const OptionsItem& item : dialog.Items)
            batch.WriteBool(item.key, settings::kShowInMenu, item.checked);
        if (filtersChanged)
            batch.WriteString(settings::kOptions, settings::kFilters, dialog.NewFilters);
        batch.WriteBool(settings::kOptions, settings::kAutorun, dialog.Autorun);
        batch.WriteBool(settings::kOptions, settings::kEnableMenu, dialog.EnableMenu);
        batch.WriteBool(settings::kOptions, settings::kCustomizeIcon, dialog.CustomizeIcon);
    });
    if (filtersChanged) {
        main_.Cards = EnumerateCards(platform.registry, dialog.NewFilters);
        // The devices' names, as the cards have them from the start on.
        RefreshCardNames(platform.devices, main_.Cards);
        main_.Tabs.FillCardTabs();
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
    RegisterContextMenu(platform.shell, FolderOf(executable) + kContextMenuLibrary, enable);
}

}  // namespace vt
