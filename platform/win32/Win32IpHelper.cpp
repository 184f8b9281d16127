// GetAdaptersInfo into a buffer of the asked size, its chain copied out; GetIfEntry for one row.
#include "platform/win32/Win32IpHelper.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <memory>

namespace vt::win32 {

namespace {

// A fixed character array's text: up to its first NUL, never past its end.
template <size_t N>
std::string Text(const char (&array)[N]) {
    size_t length = 0;
    while (length < N && array[length] != '\0') ++length;
    return std::string(array, length);
}

std::vector<IpAddrEntry> Chain(const IP_ADDR_STRING& first) {
    std::vector<IpAddrEntry> entries;
    for (const IP_ADDR_STRING* entry = &first; entry; entry = entry->Next)
        entries.push_back({Text(entry->IpAddress.String), Text(entry->IpMask.String)});
    return entries;
}

}  // namespace

uint32_t Win32IpHelper::GetAdaptersInfo(uint32_t bufferSize, uint32_t& requiredSize,
                                        std::vector<AdapterRecord>& adapters) {
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[bufferSize]);
    ULONG size = bufferSize;
    const DWORD result = ::GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.get()), &size);
    requiredSize = size;
    if (result != NO_ERROR) return result;
    adapters.clear();
    for (const IP_ADAPTER_INFO* info = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.get()); info;
         info = info->Next) {
        AdapterRecord& record = adapters.emplace_back();
        record.adapterName = Text(info->AdapterName);
        record.description = Text(info->Description);
        const UINT length = info->AddressLength < MAX_ADAPTER_ADDRESS_LENGTH
                                ? info->AddressLength
                                : MAX_ADAPTER_ADDRESS_LENGTH;
        record.address.assign(info->Address, info->Address + length);
        record.index = info->Index;
        record.dhcpEnabled = info->DhcpEnabled;
        record.ipAddressList = Chain(info->IpAddressList);
        record.gatewayList = Chain(info->GatewayList);
        record.dhcpServer = Chain(info->DhcpServer);
    }
    return result;
}

uint32_t Win32IpHelper::GetIfEntry(uint32_t index, uint32_t& type, uint32_t& operStatus) {
    MIB_IFROW row{};
    row.dwIndex = index;
    const DWORD result = ::GetIfEntry(&row);
    if (result == NO_ERROR) {
        type = row.dwType;
        operStatus = row.dwOperStatus;
    }
    return result;
}

}  // namespace vt::win32
