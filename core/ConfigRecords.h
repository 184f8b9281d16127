// One configuration's settings for one card, and their loading from and saving to the settings
// file.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
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

// What a record is read from: a key's value in a section, or nothing where it is missing (the
// settings file as it is now, or what a locked update holds).
using RecordValues =
    std::function<std::optional<std::string>(std::string_view section, std::string_view key)>;

TAddrType ReadAddrList(SettingsFile& settings, const std::string& section,
                       const std::string& countKey, const std::string& stem);
TAddrType ReadAddrList(const RecordValues& values, const std::string& section,
                       const std::string& countKey, const std::string& stem);

// By the configuration's display name, as the named apply finds it.
TCardConfig LoadCardConfig(SettingsFile& settings, const std::string& name,
                           const std::string& cardId);
// By its key, as the editor loads the selected configuration.
TCardConfig LoadCardConfigOf(SettingsFile& settings, const std::string& configKey,
                             const std::string& name, const std::string& cardId);
// The ToConfig the file holds for the configuration and card (the tabs' marks).
bool StoredToConfig(SettingsFile& settings, const std::string& configKey,
                    const std::string& cardId);
// By its key, from any source of values.
TCardConfig ReadCardConfig(const RecordValues& values, const std::string& name,
                           const std::string& configKey, const std::string& cardId);

// Writes the whole record as one replacement of the file: a refused write leaves none of it.
void SaveCardConfig(SettingsFile& settings, const TCardConfig& record);
void WriteCardConfig(SettingsFile::Batch& batch, const TCardConfig& record);
// The record's ToConfig alone, at once (the editor's title box).
void WriteToConfig(SettingsFile& settings, const std::string& configKey, const std::string& cardId,
                   bool toConfig);

// A record in the form an editor gives it back (say, always two DNS servers).
using RecordForm = std::function<TCardConfig(const TCardConfig&)>;

// Saves what the user changed: the fields of `edited` that differ from `shown` (the record as it
// was loaded for editing, in the editor's form) go over what the file holds now, the others keep
// what it holds. The addresses and their masks are one field: an address goes with its own mask.
// When another program changed one of those fields since, to something else, `overwrite` is
// asked first (outside the writers' lock); no writes nothing. When the record saved would hold
// another program's changes beside the user's, `keepMerged` decides about it first (outside the
// lock; none keeps it). `asEdited` puts what the file holds in the editor's form for those
// comparisons. Gives the record as saved, or nothing.
std::optional<TCardConfig> SaveCardChanges(
    SettingsFile& settings, const TCardConfig& shown, const TCardConfig& edited,
    const std::function<bool()>& overwrite, const RecordForm& asEdited = {},
    const std::function<bool(const TCardConfig&)>& keepMerged = {});

// Raises when the configuration key is no longer in section "Configurations" (another copy
// deleted it, or the file went): a write for it would leave a section without its names.
void RequireConfiguration(const SettingsFile::Batch& batch, const std::string& configKey,
                          const std::string& name);

// Whether two records hold the same settings for the same configuration and card.
bool SameStoredRecord(const TCardConfig& a, const TCardConfig& b);

}  // namespace vt
