// Reading the adapters from the network class key and their connection keys.
#include "net/AdapterInventory.h"

namespace vt {

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
        if (!registry->ValueExists("NetCfgInstanceId")) {
            registry->CloseKey();
            continue;
        }
        TACard card;
        card.CfgInstanceId = registry->ReadString("NetCfgInstanceId");
        if (registry->ValueExists("ProviderName"))
            card.ProviderName = registry->ReadString("ProviderName");
        if (registry->ValueExists("DriverDesc"))
            card.DriverDesc = registry->ReadString("DriverDesc");
        registry->CloseKey();

        if (registry->OpenKey(classKey + "\\Ndi\\Interfaces", false)) {
            if (registry->ValueExists("LowerRange"))
                card.LowerRange = AsciiUpperCase(registry->ReadString("LowerRange"));
            registry->CloseKey();
        }

        const bool admitted =
            upperFilter.empty()
                ? card.LowerRange.find("ETHERNET") != std::string::npos
                : upperFilter.find(AsciiUpperCase(card.CfgInstanceId)) != std::string::npos;

        if (!registry->OpenKey(ConnectionKeyPath(card.CfgInstanceId), false)) continue;
        if (registry->ValueExists("ShowIcon"))
            card.ShowIcon = registry->ReadInteger("ShowIcon") == 1;
        if (registry->ValueExists("Name")) card.ConnectionName = registry->ReadString("Name");
        if (registry->ValueExists("MediaSubType"))
            card.MediaSubType = registry->ReadInteger("MediaSubType");
        if (registry->ValueExists("PnpInstanceID"))
            card.PnpInstanceId = registry->ReadString("PnpInstanceID");
        if (card.MediaSubType != kMediaSubTypeWireless) card.MediaSubType = 1;
        registry->CloseKey();

        if (!admitted) continue;
        card.PnpInstanceId = NormalizeInstanceId(card.PnpInstanceId);
        result.push_back(std::move(card));
    }
    return result;
}

}  // namespace vt
