// One configuration's settings for one card, and their loading from and saving to the settings
// file.
#pragma once

#include <string>
#include <vector>

#include "core/SettingsFile.h"

namespace vt {

// Dotted-decimal IPv4 addresses or masks; an empty entry means "no address" and keeps its place.
using TAddrType = std::vector<std::string>;

struct TCardConfig {
    std::string ConfigName;
    std::string ConfigKey;
    std::string CardId;
    bool Modified = false;
    bool ToConfig = false;
    bool ToEnable = true;
    bool AutoDHCP = true;
    bool AutoDNS = true;
    TAddrType IPAddr;
    TAddrType SubnetMask;
    TAddrType DNSAddr;
    TAddrType Gateway;
};

// Longest list a count in the file can ask for; a larger count is damage, not a setting.
inline constexpr int kMaxAddrListEntries = 4096;

std::string CardSectionName(const std::string& configKey, const std::string& cardId);

TAddrType ReadAddrList(SettingsFile& settings, const std::string& section,
                       const std::string& countKey, const std::string& stem);

TCardConfig LoadCardConfig(SettingsFile& settings, const std::string& name,
                           const std::string& cardId);

// Writes the whole record as one replacement of the file: a refused write leaves none of it.
void SaveCardConfig(SettingsFile& settings, const TCardConfig& record);

}  // namespace vt
