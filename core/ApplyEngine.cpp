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
    RegistryFactory& registry = context.platform.registry;
    const TcpipValues values = ValuesOf(record);
    if (context.taken)
        context.taken->push_back({card, TakeTcpipValues(registry, record.CardId, values),
                                  CardDeviceStarted(context.platform.devices, card)});
    {
        context.marks.cardBeingWritten = true;
        ScopeExit cardApplyDone([&] { context.marks.cardBeingWritten = false; });
        try {
            WriteTcpipValues(registry, record.CardId, values);
        } catch (...) {
            if (context.taken && !TcpipValuesChanged(registry, context.taken->back().values))
                context.taken->pop_back();
            throw;
        }
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

bool RestoreCards(ApplyContext& context, const TakenCards& taken) {
    bool allRestored = true;
    for (const TakenCard& each : taken) {
        try {
            {
                context.marks.cardBeingWritten = true;
                ScopeExit cardRestoreDone([&] { context.marks.cardBeingWritten = false; });
                RestoreTcpipValues(context.platform.registry, each.values);
            }
            if (each.wasStarted)
                SwitchCard(context.platform.devices, context.platform.prompts, each.card,
                           *each.wasStarted);
        } catch (const std::exception& error) {
            allRestored = false;
            ShowMessageBox(context.platform.prompts, context.owner,
                           std::string("Restore Failed: ") + error.what(),
                           each.card.ConnectionName, kMbOk);
        }
    }
    return allRestored;
}

}  // namespace vt
