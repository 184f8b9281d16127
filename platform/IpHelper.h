// The seam for IP Helper: the adapter records of GetAdaptersInfo and the interface row of
// GetIfEntry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vt {

inline constexpr uint32_t kErrorBufferOverflow = 111;  // ERROR_BUFFER_OVERFLOW
inline constexpr uint32_t kNoError = 0;                // NO_ERROR

struct IpAddrEntry {  // one IP_ADDR_STRING
    std::string address;
    std::string mask;
};

struct AdapterRecord {  // one IP_ADAPTER_INFO, its texts cut at the first NUL
    std::string adapterName;
    std::string description;
    std::vector<uint8_t> address;  // the first AddressLength bytes
    uint32_t index = 0;
    uint32_t dhcpEnabled = 0;
    std::vector<IpAddrEntry> ipAddressList;
    std::vector<IpAddrEntry> gatewayList;
    std::vector<IpAddrEntry> dhcpServer;
};

class IpHelper {
  public:
    virtual ~IpHelper() = default;
    // GetAdaptersInfo into a buffer of `bufferSize` bytes. Gives the call's result; on
    // ERROR_BUFFER_OVERFLOW `requiredSize` is the size the call asked for.
    virtual uint32_t GetAdaptersInfo(uint32_t bufferSize, uint32_t& requiredSize,
                                     std::vector<AdapterRecord>& adapters) = 0;
    // GetIfEntry for the interface index; gives the call's result.
    virtual uint32_t GetIfEntry(uint32_t index, uint32_t& type, uint32_t& operStatus) = 0;
};

}  // namespace vt
