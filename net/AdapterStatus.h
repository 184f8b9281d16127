// The live snapshot of the adapters that the IP stack knows: link state, DHCP flag and addresses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/IpHelper.h"

namespace vt {

struct TAdapterStatus {
    uint32_t IfType = 0;
    uint32_t IfIndex = 0;
    uint32_t OperStatus = 0;  // 5: operational
    std::string Description;
    std::string MacAddress;
    std::string AdapterName;  // the adapter's GUID, as a card's CfgInstanceId
    std::string IpAddresses;
    bool DhcpEnabled = false;
    std::string Gateways;
    std::string DhcpServers;
};

using TAdapterStatuses = std::vector<TAdapterStatus>;

inline constexpr uint32_t kOperStatusOperational = 5;  // MIB_IF_OPER_STATUS_OPERATIONAL
inline constexpr uint32_t kFirstAdaptersInfoSize = 2048;

// Appends one entry per adapter; a failed query appends nothing and reports nothing.
void GetAdapterStatuses(IpHelper& ipHelper, TAdapterStatuses& list);

// "00-0C-29-3A-4B-5C"
std::string FormatMacAddress(const uint8_t* bytes, size_t count);

// Each address, then "/", the mask and CR when the mask is not empty.
std::string FormatAddrList(const std::vector<IpAddrEntry>& list);

}  // namespace vt
