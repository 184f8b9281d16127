// TCP/IP value helpers with the registry's exact byte layouts.
#include "net/TcpipRegistry.h"

#include "base/Error.h"

namespace vt {

std::string AdapterKeyPath(const std::string& cfgInstanceId) {
    return "SYSTEM\\CurrentControlSet\\Services\\" + cfgInstanceId + "\\Parameters\\Tcpip";
}

std::string InterfaceKeyPath(const std::string& cfgInstanceId) {
    return "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\" + cfgInstanceId;
}

std::string JoinAddrList(const std::vector<std::string>& list, const std::string& separator) {
    std::string joined;
    for (const std::string& entry : list) {
        if (entry.empty()) continue;
        if (!joined.empty()) joined += separator;
        joined += entry;
    }
    return joined;
}

void WriteMultiSz(Registry& key, const std::string& name, const std::string& text) {
    if (!key.SetRawValue(name, kRegMultiSz, text + std::string(1, '\0')))
        throw Error("REG_MULTI_SZ_ERROR");
}

std::string ReadMultiSz(Registry& key, const std::string& name) {
    uint32_t type = 0;
    std::string data;
    if (!key.QueryRawValue(name, type, data) || data.empty()) return std::string();
    data.pop_back();
    std::string text;
    text.reserve(data.size());
    for (char c : data) {
        if (c == '\0')
            text += "\r\n";
        else
            text.push_back(c);
    }
    return text;
}

std::string DhcpValueName(bool dhcp, const std::string& name) {
    return dhcp ? "DHCP" + name : name;
}

}  // namespace vt
