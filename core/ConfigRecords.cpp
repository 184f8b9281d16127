// Loading and saving the per-card records of a configuration.
#include "core/ConfigRecords.h"

#include <algorithm>

#include "base/Error.h"
#include "core/SettingsLayout.h"

namespace vt {

namespace {

constexpr char kToConfig[] = "ToConfig";
constexpr char kToEnable[] = "ToEnable";
constexpr char kAutoDHCP[] = "AutoDHCP";
constexpr char kAutoDNS[] = "AutoDNS";
constexpr char kIPCount[] = "IPCount";
constexpr char kIPAddr[] = "IPAddr";
constexpr char kSubnetMask[] = "SubnetMask";
constexpr char kGatewayCount[] = "GatewayCount";
constexpr char kGateway[] = "Gateway";
constexpr char kDNSCount[] = "DNSCount";
constexpr char kDNSAddr[] = "DNSAddr";

std::string Numbered(const char* stem, size_t i) {
    return stem + std::to_string(i);
}

int32_t IntegerOr(const std::optional<std::string>& text, int32_t byDefault) {
    int32_t value;
    return text && ParseSettingsInteger(*text, value) ? value : byDefault;
}

RecordValues ValuesOf(SettingsFile& settings) {
    return [&settings](std::string_view section, std::string_view key) {
        return settings.Value(section, key);
    };
}

void WriteAddrList(SettingsFile::Batch& batch, const std::string& section, const char* countKey,
                   const char* stem, const TAddrType& list) {
    batch.WriteInteger(section, countKey, static_cast<int32_t>(list.size()));
    for (size_t i = 0; i < list.size(); ++i) batch.WriteString(section, Numbered(stem, i), list[i]);
}

}  // namespace

std::string CardSectionName(const std::string& configKey, const std::string& cardId) {
    return configKey + cardId;
}

TAddrType ReadAddrList(SettingsFile& settings, const std::string& section,
                       const std::string& countKey, const std::string& stem) {
    return ReadAddrList(ValuesOf(settings), section, countKey, stem);
}

TAddrType ReadAddrList(const RecordValues& values, const std::string& section,
                       const std::string& countKey, const std::string& stem) {
    const int32_t count =
        std::clamp(IntegerOr(values(section, countKey), 1), 0, kMaxAddrListEntries);
    TAddrType list(static_cast<size_t>(count));
    for (size_t i = 0; i < list.size(); ++i) {
        std::string entry = values(section, Numbered(stem.c_str(), i)).value_or("");
        if (entry == "..." || entry == "0.0.0.0") entry.clear();
        list[i] = std::move(entry);
    }
    return list;
}

TCardConfig LoadCardConfig(SettingsFile& settings, const std::string& name,
                           const std::string& cardId) {
    const SettingsFile::Snapshot look(settings);  // a record is read as one version of the file
    return ReadCardConfig(ValuesOf(settings), name,
                          settings.ReadString(settings::kFriendlyName, name, ""), cardId);
}

TCardConfig LoadCardConfigOf(SettingsFile& settings, const std::string& configKey,
                             const std::string& name, const std::string& cardId) {
    const SettingsFile::Snapshot look(settings);
    return ReadCardConfig(ValuesOf(settings), name, configKey, cardId);
}

bool StoredToConfig(SettingsFile& settings, const std::string& configKey,
                    const std::string& cardId) {
    return settings.ReadBool(CardSectionName(configKey, cardId), kToConfig, false);
}

TCardConfig ReadCardConfig(const RecordValues& values, const std::string& name,
                           const std::string& configKey, const std::string& cardId) {
    TCardConfig record;
    record.ConfigName = name;
    record.Modified = false;
    record.ConfigKey = configKey;
    record.CardId = cardId;
    const std::string section = CardSectionName(record.ConfigKey, record.CardId);
    const auto flag = [&](const char* key, bool byDefault) {
        return IntegerOr(values(section, key), byDefault ? 1 : 0) != 0;
    };
    record.ToConfig = flag(kToConfig, false);
    record.ToEnable = flag(kToEnable, true);
    record.AutoDHCP = flag(kAutoDHCP, true);
    record.AutoDNS = flag(kAutoDNS, true);
    record.IPAddr = ReadAddrList(values, section, kIPCount, kIPAddr);
    record.SubnetMask = ReadAddrList(values, section, kIPCount, kSubnetMask);
    record.DNSAddr = ReadAddrList(values, section, kDNSCount, kDNSAddr);
    record.Gateway = ReadAddrList(values, section, kGatewayCount, kGateway);
    return record;
}

void SaveCardConfig(SettingsFile& settings, const TCardConfig& record) {
    settings.Update([&](SettingsFile::Batch& batch) { WriteCardConfig(batch, record); });
}

void WriteCardConfig(SettingsFile::Batch& batch, const TCardConfig& record) {
    // A longer list would be written with a count that the next load cuts.
    for (const TAddrType* list : {&record.IPAddr, &record.Gateway, &record.DNSAddr})
        if (list->size() > static_cast<size_t>(kMaxAddrListEntries))
            throw Error("A card can have at most " + std::to_string(kMaxAddrListEntries) +
                        " IP addresses, gateways and DNS servers each.");
    const std::string section = CardSectionName(record.ConfigKey, record.CardId);
    batch.WriteBool(section, kToConfig, record.ToConfig);
    batch.WriteBool(section, kToEnable, record.ToEnable);
    batch.WriteBool(section, kAutoDHCP, record.AutoDHCP);
    batch.WriteBool(section, kAutoDNS, record.AutoDNS);
    batch.WriteInteger(section, kIPCount, static_cast<int32_t>(record.IPAddr.size()));
    for (size_t i = 0; i < record.IPAddr.size(); ++i) {
        batch.WriteString(section, Numbered(kIPAddr, i), record.IPAddr[i]);
        // A mask list shorter than the addresses breaks the record's invariant; write it empty.
        batch.WriteString(section, Numbered(kSubnetMask, i),
                          i < record.SubnetMask.size() ? record.SubnetMask[i] : std::string());
    }
    WriteAddrList(batch, section, kGatewayCount, kGateway, record.Gateway);
    WriteAddrList(batch, section, kDNSCount, kDNSAddr, record.DNSAddr);
}

void WriteToConfig(SettingsFile& settings, const std::string& configKey, const std::string& cardId,
                   bool toConfig) {
    settings.Update([&](SettingsFile::Batch& batch) {
        RequireConfiguration(batch, configKey, "");
        batch.WriteBool(CardSectionName(configKey, cardId), kToConfig, toConfig);
    });
}

void RequireConfiguration(const SettingsFile::Batch& batch, const std::string& configKey,
                          const std::string& name) {
    if (batch.Value(settings::kConfigurations, configKey)) return;
    throw Error((name.empty() ? std::string("The configuration") : "\"" + name + "\"") +
                " is no longer in the settings file.");
}

std::optional<TCardConfig> SaveCardChanges(
    SettingsFile& settings, const TCardConfig& shown, const TCardConfig& edited,
    const std::function<bool()>& overwrite, const RecordForm& asEdited,
    const std::function<bool(const TCardConfig&)>& keepMerged) {
    bool overwriteAsked = false, mergedKept = false;
    for (;;) {
        std::optional<TCardConfig> written, toKeep;
        bool bothChanged = false;
        settings.Update([&](SettingsFile::Batch& batch) {
            const RecordValues underLock = [&batch](std::string_view section,
                                                    std::string_view key) {
                return batch.Value(section, key);
            };
            RequireConfiguration(batch, edited.ConfigKey, edited.ConfigName);
            TCardConfig stored =
                ReadCardConfig(underLock, edited.ConfigName, edited.ConfigKey, edited.CardId);
            if (asEdited) stored = asEdited(stored);
            TCardConfig merged = stored;  // saved in the editor's form, as a whole record
            const auto take = [&](auto... fields) {
                const bool changedHere = ((edited.*fields != shown.*fields) || ...);
                if (!changedHere) return;  // not changed here: the file's stays
                const bool changedThere = ((stored.*fields != shown.*fields) || ...);
                const bool sameThere = ((stored.*fields == edited.*fields) && ...);
                bothChanged |= changedThere && !sameThere;
                ((merged.*fields = edited.*fields), ...);
            };
            take(&TCardConfig::ToConfig);
            take(&TCardConfig::ToEnable);
            take(&TCardConfig::AutoDHCP);
            take(&TCardConfig::AutoDNS);
            take(&TCardConfig::IPAddr, &TCardConfig::SubnetMask);  // an address with its mask
            take(&TCardConfig::Gateway);
            take(&TCardConfig::DNSAddr);
            if (bothChanged && !overwriteAsked) return;  // asked first, outside the writers' lock
            if (keepMerged && !mergedKept && !SameStoredRecord(merged, edited)) {
                toKeep = merged;
                return;
            }
            WriteCardConfig(batch, merged);
            written = merged;
        });
        if (written) return written;
        if (toKeep) {
            if (!keepMerged(*toKeep)) return std::nullopt;
            mergedKept = true;
        } else {
            if (!overwrite()) return std::nullopt;
            overwriteAsked = true;
        }
    }
}

bool SameStoredRecord(const TCardConfig& a, const TCardConfig& b) {
    return a.ConfigKey == b.ConfigKey && a.CardId == b.CardId && a.ToConfig == b.ToConfig &&
           a.ToEnable == b.ToEnable && a.AutoDHCP == b.AutoDHCP && a.AutoDNS == b.AutoDNS &&
           a.IPAddr == b.IPAddr && a.SubnetMask == b.SubnetMask && a.Gateway == b.Gateway &&
           a.DNSAddr == b.DNSAddr;
}

}  // namespace vt
