// Reading the adapters from the network class key and their connection keys.
#include "net/AdapterInventory.h"

#include <cstring>
#include <optional>

#include "base/Error.h"

namespace vt {

namespace {

// What ReadString or ReadInteger give for a value that is there, from one look at it (the start
// reads a dozen values per adapter); nothing for a value that is not.
std::optional<std::string> StringIfPresent(Registry& key, const char* name) {
    uint32_t type = 0;
    std::string data;
    if (!key.QueryRawValue(name, type, data)) return std::nullopt;
    if (type != kRegSz && type != kRegExpandSz)
        throw Error(std::string("Invalid data type for '") + name + "'");
    return data.substr(0, data.find('\0'));
}

std::optional<int32_t> IntegerIfPresent(Registry& key, const char* name) {
    uint32_t type = 0;
    std::string data;
    if (!key.QueryRawValue(name, type, data)) return std::nullopt;
    if (type != kRegDword || data.size() != sizeof(int32_t))
        throw Error(std::string("Invalid data type for '") + name + "'");
    int32_t value = 0;
    std::memcpy(&value, data.data(), sizeof value);
    return value;
}

}  // namespace

std::string ConnectionKeyPath(const std::string& cfgInstanceId) {
    return std::string(kNetworkConnectionsKey) + "\\" + cfgInstanceId + "\\Connection";
}

std::string AsciiUpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string NormalizeInstanceId(const std::string& id) {
    std::string normalized;
    normalized.reserve(id.size());
    for (char c : id)
        if (c != '&') normalized.push_back(c);
    return AsciiUpperCase(std::move(normalized));
}

TCardList EnumerateCards(RegistryFactory& registryFactory, const std::string& filter) {
    const std::string upperFilter = AsciiUpperCase(filter);
    const auto registry = registryFactory.Create();

    std::vector<std::string> names;
    if (registry->OpenKey(kAdapterClassKey, false)) {
        names = registry->GetKeyNames();
        registry->CloseKey();
    }

    TCardList result;
    for (const std::string& name : names) {
        const std::string classKey = std::string(kAdapterClassKey) + "\\" + name;
        if (!registry->OpenKey(classKey, false)) continue;
        const auto id = StringIfPresent(*registry, "NetCfgInstanceId");
        if (!id) {
            registry->CloseKey();
            continue;
        }
        TACard card;
        card.CfgInstanceId = *id;
        card.ProviderName = StringIfPresent(*registry, "ProviderName").value_or("");
        card.DriverDesc = StringIfPresent(*registry, "DriverDesc").value_or("");
        registry->CloseKey();

        if (registry->OpenKey(classKey + "\\Ndi\\Interfaces", false)) {
            card.LowerRange = AsciiUpperCase(StringIfPresent(*registry, "LowerRange").value_or(""));
            registry->CloseKey();
        }

        const bool admitted =
            upperFilter.empty()
                ? card.LowerRange.find("ETHERNET") != std::string::npos
                : upperFilter.find(AsciiUpperCase(card.CfgInstanceId)) != std::string::npos;

        if (!registry->OpenKey(ConnectionKeyPath(card.CfgInstanceId), false)) continue;
        card.ShowIcon = IntegerIfPresent(*registry, "ShowIcon").value_or(0) == 1;
        card.ConnectionName = StringIfPresent(*registry, "Name").value_or("");
        card.MediaSubType = IntegerIfPresent(*registry, "MediaSubType").value_or(0);
        card.PnpInstanceId = StringIfPresent(*registry, "PnpInstanceID").value_or("");
        if (card.MediaSubType != kMediaSubTypeWireless) card.MediaSubType = 1;
        registry->CloseKey();

        if (!admitted) continue;
        card.PnpInstanceId = NormalizeInstanceId(card.PnpInstanceId);
        result.push_back(std::move(card));
    }
    return result;
}

}  // namespace vt
