// The apply engine: registry phase, device phase, and the loop over the cards.
#include "core/ApplyEngine.h"

#include "base/ScopeExit.h"
#include "core/MessageBox.h"
#include "core/SettingsLayout.h"
#include "net/DeviceControl.h"
#include "net/TcpipRegistry.h"

namespace vt {

namespace {

// The values a record gives its card: DHCP clears the addresses; only the first gateway is
// applied, and a list emptied by hand gives none.
TcpipValues ValuesOf(const TCardConfig& record) {
    TcpipValues values;
    values.enableDhcp = record.AutoDHCP;
    if (record.AutoDHCP) {
        values.ipAddresses = {"0.0.0.0"};
        values.subnetMasks = {"0.0.0.0"};
    } else {
        values.ipAddresses = record.IPAddr;
        values.subnetMasks = record.SubnetMask;
        if (!record.Gateway.empty()) values.defaultGateway = record.Gateway[0];
    }
    if (!record.AutoDNS) values.nameServers = record.DNSAddr;
    return values;
}

}  // namespace

bool ApplyCardConfig(ApplyContext& context, TCardConfig record, TACard card) {
    {
        context.marks.cardBeingWritten = true;
        ScopeExit cardApplyDone([&] { context.marks.cardBeingWritten = false; });
        WriteTcpipValues(context.platform.registry, record.CardId, ValuesOf(record));
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
    if (context.marks.namedApplyRunning) return ApplyOutcome::Ignored;
    if (!context.settings.ValueExists(settings::kFriendlyName, name)) {
        ShowMessageBox(context.platform.prompts, context.owner,
                       "Configuration \"" + name + "\" does not exist.", "Apply Failed: " + name,
                       kMbOk);
        return ApplyOutcome::NotFound;
    }
    context.marks.namedApplyRunning = true;
    ScopeExit namedApplyDone([&] { context.marks.namedApplyRunning = false; });
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
