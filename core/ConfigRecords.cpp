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
    const int32_t count =
        std::clamp(settings.ReadInteger(section, countKey, 1), 0, kMaxAddrListEntries);
    TAddrType list(static_cast<size_t>(count));
    for (size_t i = 0; i < list.size(); ++i) {
        std::string entry = settings.ReadString(section, Numbered(stem.c_str(), i), "");
        if (entry == "..." || entry == "0.0.0.0") entry.clear();
        list[i] = std::move(entry);
    }
    return list;
}

TCardConfig LoadCardConfig(SettingsFile& settings, const std::string& name,
                           const std::string& cardId) {
    const SettingsFile::Snapshot look(settings);  // a record is read as one version of the file
    TCardConfig record;
    record.ConfigName = name;
    record.Modified = false;
    record.ConfigKey = settings.ReadString(settings::kFriendlyName, name, "");
    record.CardId = cardId;
    const std::string section = CardSectionName(record.ConfigKey, record.CardId);
    record.ToConfig = settings.ReadBool(section, kToConfig, false);
    record.ToEnable = settings.ReadBool(section, kToEnable, true);
    record.AutoDHCP = settings.ReadBool(section, kAutoDHCP, true);
    record.AutoDNS = settings.ReadBool(section, kAutoDNS, true);
    record.IPAddr = ReadAddrList(settings, section, kIPCount, kIPAddr);
    record.SubnetMask = ReadAddrList(settings, section, kIPCount, kSubnetMask);
    record.DNSAddr = ReadAddrList(settings, section, kDNSCount, kDNSAddr);
    record.Gateway = ReadAddrList(settings, section, kGatewayCount, kGateway);
    return record;
}

void SaveCardConfig(SettingsFile& settings, const TCardConfig& record) {
    // A longer list would be written with a count that the next load cuts.
    for (const TAddrType* list : {&record.IPAddr, &record.Gateway, &record.DNSAddr})
        if (list->size() > static_cast<size_t>(kMaxAddrListEntries))
            throw Error("A card can have at most " + std::to_string(kMaxAddrListEntries) +
                        " IP addresses, gateways and DNS servers each.");
    const std::string section = CardSectionName(record.ConfigKey, record.CardId);
    settings.Update([&](SettingsFile::Batch& batch) {
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
    });
}

}  // namespace vt
