// A card's TCP/IP values in the registry: key paths, value names, their order and byte layouts,
// for writing a card's values and for reading the addresses it is configured with.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace vt {

// What a card's two TCP/IP keys are given.
struct TcpipValues {
    bool enableDhcp = true;
    std::vector<std::string> ipAddresses;  // stored without the empty entries
    std::vector<std::string> subnetMasks;
    std::optional<std::string> defaultGateway;  // none: the empty multi-string
    std::vector<std::string> nameServers;       // none: obtained automatically
};

// Writes the values in the order the system has always been given them: "EnableDHCP",
// "IPAddress", "SubnetMask", "DefaultGateway" into the adapter key, the same into the interface
// key, then there the DHCP-named "NameServer" (empty) and "NameServer". Both keys are created when
// missing; whether one opened is not tested, so the first write into it fails with its own error.
void WriteTcpipValues(RegistryFactory& registry, const std::string& cardId,
                      const TcpipValues& values);

// What a card's TCP/IP keys held before WriteTcpipValues gave them new values: each value it is
// about to write, with its type and bytes, or that it was not there.
struct TakenValue {
    std::string name;
    bool existed = false;
    bool readable = true;  // false: there, but its bytes could not be read; it is left alone
    uint32_t type = 0;
    std::string data;
};
struct TakenKey {
    std::string path;
    std::vector<TakenValue> values;
};
using TcpipSnapshot = std::vector<TakenKey>;

TcpipSnapshot TakeTcpipValues(RegistryFactory& registry, const std::string& cardId,
                              const TcpipValues& values);
// Whether a value taken is no longer as it was.
bool TcpipValuesChanged(RegistryFactory& registry, const TcpipSnapshot& taken);
// Writes every value taken back as it was, type and bytes, and deletes those that were not there.
// Errors: "Failed to set data for '%s'", "Failed to delete '%s'"; what was written before stays.
void RestoreTcpipValues(RegistryFactory& registry, const TcpipSnapshot& taken);

// The addresses a card is configured with, from its interface key: the DHCP-named values when
// `dhcp`, else the plain ones, as ReadMultiSz gives them; empty where the key or a value is
// missing.
struct ConfiguredAddresses {
    std::string ip, mask, dns, gateway;
};
ConfiguredAddresses ReadConfiguredAddresses(RegistryFactory& registry, const std::string& cardId,
                                            bool dhcp);

// What a card is set to now, from its interface key, as a configuration would hold it.
struct CurrentTcpipSettings {
    bool enableDhcp = true;
    std::vector<std::string> ipAddresses, subnetMasks, defaultGateways;  // the non-empty entries
    std::vector<std::string> nameServers;  // "NameServer" split at commas and blanks
};
// Nothing when the key is missing, "EnableDHCP" is missing, or a value is not stored as the
// system stores it (a number; multi-strings, or a string for "NameServer"); other values that
// are missing read as empty.
std::optional<CurrentTcpipSettings> ReadCurrentTcpipSettings(RegistryFactory& registry,
                                                             const std::string& cardId);

// "SYSTEM\CurrentControlSet\Services\<id>\Parameters\Tcpip"
std::string AdapterKeyPath(const std::string& cfgInstanceId);
// "SYSTEM\CurrentControlSet\Services\Tcpip\Parameters\Interfaces\<id>"
std::string InterfaceKeyPath(const std::string& cfgInstanceId);

// The non-empty entries, in order, with the separator between neighbours.
std::string JoinAddrList(const std::vector<std::string>& list, const std::string& separator);

// Stores the text and one NUL as REG_MULTI_SZ on the registry object's open key;
// raises "REG_MULTI_SZ_ERROR" when the system refuses.
void WriteMultiSz(Registry& key, const std::string& name, const std::string& text);

// The value's bytes but the last, each NUL turned into CR LF; empty when it cannot be read.
std::string ReadMultiSz(Registry& key, const std::string& name);

// "DHCP" + name when the flag is set, else name.
std::string DhcpValueName(bool dhcp, const std::string& name);

}  // namespace vt
