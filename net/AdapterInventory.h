// The managed network adapters ("cards"): what one is, and how the list is read from the registry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace vt {

struct TACard {
    std::string CfgInstanceId;
    int32_t MediaSubType = 0;   // kMediaSubTypeWireless, or 1 for anything else
    std::string PnpInstanceId;  // normalised
    std::string DriverDesc;
    std::string ConnectionName;
    bool ShowIcon = false;
    std::string ProviderName;
    std::string LowerRange;  // upper case
};

using TCardList = std::vector<TACard>;

// The connection's MediaSubType of a wireless card.
inline constexpr int32_t kMediaSubTypeWireless = 2;

inline constexpr char kAdapterClassKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
inline constexpr char kNetworkConnectionsKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}";

std::string ConnectionKeyPath(const std::string& cfgInstanceId);

// Upper-cases the ASCII letters only.
std::string AsciiUpperCase(std::string text);

// Removes every "&" and upper-cases the rest: the form of both sides of every device match.
std::string NormalizeInstanceId(const std::string& id);

// With a filter, admits the adapters whose id occurs in it (letter case ignored); without one,
// those whose interfaces' lower range names ethernet. An adapter without a connection key is
// never listed. A value of the wrong type ends the enumeration with the registry's error.
TCardList EnumerateCards(RegistryFactory& registryFactory, const std::string& filter);

}  // namespace vt
