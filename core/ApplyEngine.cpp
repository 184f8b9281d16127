// The apply engine: registry phase, device phase, and the loop over the cards.
#include "core/ApplyEngine.h"

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

// Shows the failure now, or keeps it for later.
void Report(ApplyContext& context, ApplyFailure failure) {
    if (context.failures)
        context.failures->push_back(std::move(failure));
    else
        ShowMessageBox(context.platform.prompts, context.owner, failure.text, failure.caption,
                       kMbOk);
}

}  // namespace

TakenCard TakeCard(ApplyContext& context, const TCardConfig& record, const TACard& card) {
    return {card, TakeTcpipValues(context.platform.registry, record.CardId, ValuesOf(record)),
            CardDeviceEnabled(context.platform.devices, card)};
}

bool ApplyCardConfig(ApplyContext& context, TCardConfig record, TACard card) {
    {
        const HeldMark writing(context.marks.cardBeingWritten);
        WriteTcpipValues(context.platform.registry, record.CardId, ValuesOf(record));
    }
    if (context.taken)
        for (TakenCard& taken : *context.taken)
            if (taken.card.CfgInstanceId == card.CfgInstanceId) taken.written = true;
    bool result = false;
    std::string errorText;
    try {
        result =
            SwitchCard(context.platform.devices, context.platform.prompts, card, record.ToEnable);
    } catch (const std::exception& error) {
        errorText = error.what();
    }
    if (!result) Report(context, {"Apply Failed: " + errorText, card.ConnectionName});
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
    const HeldMark running(context.marks.namedApplyRunning);
    // The cards may be replaced while messages run between cards; the loop keeps its own copy.
    // Every record is read first: once the cards are switched, the settings file may be out of
    // reach for a while, and nothing may then stand between the writes and the question.
    const TCardList cards = context.cards;
    std::vector<TCardConfig> records;
    for (const TACard& card : cards)
        records.push_back(LoadCardConfig(context.settings, name, card.CfgInstanceId));
    if (context.taken) {
        for (size_t i = 0; i < cards.size(); ++i)
            if (records[i].ToConfig)
                context.taken->push_back(TakeCard(context, records[i], cards[i]));
        if (context.beforeFirstWrite) context.beforeFirstWrite(*context.taken);
    }
    bool allApplied = true;
    for (size_t i = 0; i < cards.size(); ++i) {
        context.platform.prompts.ProcessMessages();
        if (records[i].ToConfig && !ApplyCardConfig(context, records[i], cards[i]))
            allApplied = false;
    }
    return allApplied ? ApplyOutcome::Applied : ApplyOutcome::CardFailed;
}

void DropUntouchedCards(RegistryFactory& registry, TakenCards& taken) {
    std::erase_if(taken, [&](const TakenCard& card) {
        return !card.written && !TcpipValuesChanged(registry, card.values);
    });
}

bool RestoreCards(ApplyContext& context, const TakenCards& taken) {
    bool allRestored = true;
    const auto failed = [&](const TakenCard& each, const std::exception& error) {
        allRestored = false;
        Report(context, {std::string("Restore Failed: ") + error.what(), each.card.ConnectionName});
    };
    for (const TakenCard& each : taken) {
        try {
            const HeldMark writing(context.marks.cardBeingWritten);
            RestoreTcpipValues(context.platform.registry, each.values);
        } catch (const std::exception& error) {
            failed(each, error);
        }
        // The device comes back whatever became of the values: a disabled card cuts a remote
        // user off for good.
        try {
            if (each.wasEnabled)
                RestoreCardDevice(context.platform.devices, context.platform.prompts, each.card,
                                  *each.wasEnabled);
        } catch (const std::exception& error) {
            failed(each, error);
        }
    }
    return allRestored;
}

void ShowFailures(ApplyContext& context, const ApplyFailures& failures) {
    for (const ApplyFailure& failure : failures)
        ShowMessageBox(context.platform.prompts, context.owner, failure.text, failure.caption,
                       kMbOk);
}

}  // namespace vt
