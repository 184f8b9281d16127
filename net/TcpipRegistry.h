// A card's TCP/IP values in the registry: key paths, list joining, multi-string values, DHCP value
// names.
#pragma once

#include <string>
#include <vector>

#include "platform/Registry.h"

namespace vt {

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
