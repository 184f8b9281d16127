// One status snapshot from GetAdaptersInfo and GetIfEntry.
#include "net/AdapterStatus.h"

namespace vt {

std::string FormatMacAddress(const uint8_t* bytes, size_t count) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        if (i > 0) text += '-';
        text += kHex[bytes[i] >> 4];
        text += kHex[bytes[i] & 0xF];
    }
    return text;
}

std::string FormatAddrList(const std::vector<IpAddrEntry>& list) {
    std::string text;
    for (const IpAddrEntry& entry : list) {
        text += entry.address;
        if (!entry.mask.empty()) text += "/" + entry.mask + "\r";
    }
    return text;
}

void GetAdapterStatuses(IpHelper& ipHelper, TAdapterStatuses& list) {
    std::vector<AdapterRecord> adapters;
    uint32_t required = 0;
    uint32_t result = ipHelper.GetAdaptersInfo(kFirstAdaptersInfoSize, required, adapters);
    if (result == kErrorBufferOverflow)
        result = ipHelper.GetAdaptersInfo(required, required, adapters);
    if (result != kNoError) return;

    for (const AdapterRecord& adapter : adapters) {
        TAdapterStatus& status = list.emplace_back();
        status.AdapterName = adapter.adapterName;
        status.IfIndex = adapter.index;
        status.OperStatus = 0;
        status.MacAddress = FormatMacAddress(adapter.address.data(), adapter.address.size());
        status.Description = adapter.description;
        status.IpAddresses = FormatAddrList(adapter.ipAddressList);
        status.DhcpEnabled = adapter.dhcpEnabled == 1;
        status.Gateways = FormatAddrList(adapter.gatewayList);
        status.DhcpServers = FormatAddrList(adapter.dhcpServer);
        uint32_t type = 0, operStatus = 0;
        if (ipHelper.GetIfEntry(status.IfIndex, type, operStatus) == kNoError) {
            status.IfType = type;
            status.OperStatus = operStatus;
        }
    }
}

}  // namespace vt
