// The options dialog's lists and buttons.
#include "ui/OptionsDialog.h"

#include "core/MessageBox.h"

namespace vt {

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

bool RegisterContextMenu(Shell& shell, const std::string& path, bool doRegister, int32_t& result) {
    const auto returned =
        shell.CallLibraryExport(path, doRegister ? "DllRegisterServer" : "DllUnregisterServer");
    result = returned.value_or(0);
    return returned.has_value();
}

}  // namespace vt
