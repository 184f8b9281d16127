// The apply engine: registry phase, device phase, and the loop over the cards.
#include "core/ApplyEngine.h"

#include "base/ScopeExit.h"
#include "core/MessageBox.h"
#include "core/SettingsLayout.h"
#include "net/DeviceControl.h"
#include "net/TcpipRegistry.h"

namespace vt {

namespace {

const std::string kNul(1, '\0');

// "EnableDHCP", "IPAddress", "SubnetMask", "DefaultGateway", as both keys get them.
void WriteAddressValues(Registry& key, const TCardConfig& record) {
    key.WriteInteger("EnableDHCP", record.AutoDHCP ? 1 : 0);
    if (record.AutoDHCP) {
        WriteMultiSz(key, "IPAddress", "0.0.0.0");
        WriteMultiSz(key, "SubnetMask", "0.0.0.0");
        WriteMultiSz(key, "DefaultGateway", "");
        return;
    }
    WriteMultiSz(key, "IPAddress", JoinAddrList(record.IPAddr, kNul));
    WriteMultiSz(key, "SubnetMask", JoinAddrList(record.SubnetMask, kNul));
    // Only the first gateway is applied; a list emptied by hand writes the empty multi-string.
    WriteMultiSz(key, "DefaultGateway", record.Gateway.empty() ? "" : record.Gateway[0] + kNul);
}

void WriteRegistryValues(Platform& platform, const TCardConfig& record) {
    const auto key = platform.registry.Create();
    // Whether a key opened is not tested: the first write then fails with its own error.
    key->OpenKey(AdapterKeyPath(record.CardId), true);
    WriteAddressValues(*key, record);
    key->CloseKey();
    key->OpenKey(InterfaceKeyPath(record.CardId), true);
    WriteAddressValues(*key, record);
    key->WriteString(DhcpValueName(record.AutoDHCP, "NameServer"), "");
    key->WriteString("NameServer", record.AutoDNS ? "" : JoinAddrList(record.DNSAddr, ","));
    key->CloseKey();
}

}  // namespace

bool ApplyCardConfig(ApplyContext& context, TCardConfig record, TACard card) {
    {
        context.marks.btnApplyTag = 1;
        ScopeExit cardApplyDone([&] { context.marks.btnApplyTag = 0; });
        WriteRegistryValues(context.platform, record);
    }
    bool result = false;
    std::string errorText;
    try {
        result =
            SwitchCard(context.platform.devices, context.platform.prompts, card, record.ToEnable);
    } catch (const std::exception& error) {
        errorText = error.what();
    }
    if (!result)
        ShowMessageBox(context.platform.prompts, context.owner, "Apply Failed: " + errorText,
                       card.ConnectionName, kMbOk);
    return result;
}

ApplyOutcome ApplyConfiguration(ApplyContext& context, const std::string& name) {
    if (context.marks.actApplyTag == 1) return ApplyOutcome::Ignored;
    if (!context.settings.ValueExists(settings::kFriendlyName, name)) {
        ShowMessageBox(context.platform.prompts, context.owner,
                       "Configuration \"" + name + "\" does not exist.", "Apply Failed: " + name,
                       kMbOk);
        return ApplyOutcome::NotFound;
    }
    context.marks.actApplyTag = 1;
    ScopeExit namedApplyDone([&] { context.marks.actApplyTag = 0; });
    // The cards may be replaced while messages run between cards; the loop keeps its own copy.
    const TCardList cards = context.cards;
    bool allApplied = true;
    for (const TACard& card : cards) {
        context.platform.prompts.ProcessMessages();
        const TCardConfig record = LoadCardConfig(context.settings, name, card.CfgInstanceId);
        if (record.ToConfig && !ApplyCardConfig(context, record, card)) allApplied = false;
    }
    return allApplied ? ApplyOutcome::Applied : ApplyOutcome::CardFailed;
}

}  // namespace vt
