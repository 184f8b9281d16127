// TCP/IP value helpers with the registry's exact byte layouts.
#include "net/TcpipRegistry.h"

#include <algorithm>

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

namespace {

const std::string kNul(1, '\0');

void WriteAddressValues(Registry& key, const TcpipValues& values) {
    key.WriteInteger("EnableDHCP", values.enableDhcp ? 1 : 0);
    WriteMultiSz(key, "IPAddress", JoinAddrList(values.ipAddresses, kNul));
    WriteMultiSz(key, "SubnetMask", JoinAddrList(values.subnetMasks, kNul));
    WriteMultiSz(key, "DefaultGateway", values.defaultGateway ? *values.defaultGateway + kNul : "");
}

}  // namespace

void WriteTcpipValues(RegistryFactory& registry, const std::string& cardId,
                      const TcpipValues& values) {
    const auto key = registry.Create();
    key->OpenKey(AdapterKeyPath(cardId), true);
    WriteAddressValues(*key, values);
    key->CloseKey();
    key->OpenKey(InterfaceKeyPath(cardId), true);
    WriteAddressValues(*key, values);
    key->WriteString(DhcpValueName(values.enableDhcp, "NameServer"), "");
    key->WriteString("NameServer", JoinAddrList(values.nameServers, ","));
    key->CloseKey();
}

namespace {

// What WriteTcpipValues writes into each key, by name.
std::vector<std::string> WrittenNames(bool interfaceKey, const TcpipValues& values) {
    std::vector<std::string> names = {"EnableDHCP", "IPAddress", "SubnetMask", "DefaultGateway"};
    if (interfaceKey) {
        if (values.enableDhcp) names.push_back(DhcpValueName(true, "NameServer"));
        names.push_back("NameServer");
    }
    return names;
}

TakenValue NotThere(const std::string& name) {
    TakenValue value;
    value.name = name;
    return value;
}

TakenValue TakeValue(Registry& key, const std::string& name) {
    TakenValue value = NotThere(name);
    value.existed = key.ValueExists(name);
    value.readable = !value.existed || key.QueryRawValue(name, value.type, value.data);
    return value;
}

}  // namespace

TcpipSnapshot TakeTcpipValues(RegistryFactory& registry, const std::string& cardId,
                              const TcpipValues& values) {
    TcpipSnapshot taken;
    const auto key = registry.Create();
    for (const bool interfaceKey : {false, true}) {
        TakenKey& taking = taken.emplace_back();
        taking.path = interfaceKey ? InterfaceKeyPath(cardId) : AdapterKeyPath(cardId);
        const bool opened = key->OpenKey(taking.path, false);
        for (const std::string& name : WrittenNames(interfaceKey, values))
            taking.values.push_back(opened ? TakeValue(*key, name) : NotThere(name));
        key->CloseKey();
    }
    return taken;
}

bool TcpipValuesChanged(RegistryFactory& registry, const TcpipSnapshot& taken) {
    const auto key = registry.Create();
    for (const TakenKey& taking : taken) {
        const bool opened = key->OpenKey(taking.path, false);
        for (const TakenValue& value : taking.values) {
            if (!value.readable) continue;
            const TakenValue now = opened ? TakeValue(*key, value.name) : NotThere(value.name);
            if (now.existed != value.existed ||
                (now.existed && (now.type != value.type || now.data != value.data)))
                return true;
        }
    }
    return false;
}

void RestoreTcpipValues(RegistryFactory& registry, const TcpipSnapshot& taken) {
    const auto key = registry.Create();
    for (const TakenKey& taking : taken) {
        // A key that held none of them is not made for nothing; one that did is made again.
        const bool anyExisted = std::any_of(taking.values.begin(), taking.values.end(),
                                            [](const TakenValue& value) { return value.existed; });
        if (!key->OpenKey(taking.path, anyExisted) && !anyExisted) continue;
        for (const TakenValue& value : taking.values) {
            if (!value.readable) continue;
            if (value.existed) {
                if (!key->SetRawValue(value.name, value.type, value.data))
                    throw Error("Failed to set data for '" + value.name + "'");
            } else if (key->ValueExists(value.name) && !key->DeleteValue(value.name)) {
                throw Error("Failed to delete '" + value.name + "'");
            }
        }
        key->CloseKey();
    }
}

namespace {

// The non-empty entries of a multi-string, or of a string as one entry; false for another type.
bool ReadEntries(Registry& key, const char* name, std::vector<std::string>& entries) {
    uint32_t type = 0;
    std::string data;
    if (!key.ValueExists(name)) return true;
    if (!key.QueryRawValue(name, type, data) || (type != kRegMultiSz && type != kRegSz))
        return false;
    std::string entry;
    for (char c : data) {
        if (c != '\0') {
            entry += c;
        } else if (!entry.empty()) {
            entries.push_back(std::move(entry));
            entry.clear();
        }
    }
    if (!entry.empty()) entries.push_back(std::move(entry));
    return true;
}

}  // namespace

std::optional<CurrentTcpipSettings> ReadCurrentTcpipSettings(RegistryFactory& registry,
                                                             const std::string& cardId) {
    const auto key = registry.Create();
    if (!key->OpenKey(InterfaceKeyPath(cardId), false)) return std::nullopt;
    uint32_t type = 0;
    std::string dhcp;
    if (!key->QueryRawValue("EnableDHCP", type, dhcp) || type != kRegDword || dhcp.size() != 4)
        return std::nullopt;
    CurrentTcpipSettings now;
    now.enableDhcp = dhcp != std::string(4, '\0');
    std::vector<std::string> servers;
    if (!ReadEntries(*key, "IPAddress", now.ipAddresses) ||
        !ReadEntries(*key, "SubnetMask", now.subnetMasks) ||
        !ReadEntries(*key, "DefaultGateway", now.defaultGateways) ||
        !ReadEntries(*key, "NameServer", servers))
        return std::nullopt;
    for (const std::string& text : servers) {
        size_t start = 0;
        while (start < text.size()) {
            const size_t end = std::min(text.find_first_of(", ", start), text.size());
            if (end > start) now.nameServers.push_back(text.substr(start, end - start));
            start = end + 1;
        }
    }
    return now;
}

ConfiguredAddresses ReadConfiguredAddresses(RegistryFactory& registry, const std::string& cardId,
                                            bool dhcp) {
    ConfiguredAddresses addresses;
    const auto key = registry.Create();
    if (!key->OpenKey(InterfaceKeyPath(cardId), false)) return addresses;
    addresses.ip = ReadMultiSz(*key, DhcpValueName(dhcp, "IPAddress"));
    addresses.mask = ReadMultiSz(*key, DhcpValueName(dhcp, "SubnetMask"));
    addresses.dns = ReadMultiSz(*key, DhcpValueName(dhcp, "NameServer"));
    addresses.gateway = ReadMultiSz(*key, DhcpValueName(dhcp, "DefaultGateway"));
    key->CloseKey();
    return addresses;
}

}  // namespace vt
