// Typed address fields and the messages that refuse them.
#include "ui/AddressChecks.h"

#include "core/AddressRules.h"

namespace vt {

std::optional<uint32_t> TypedAddress(const std::string& text, const std::string& ipText) {
    if (text.find_first_of("0123456789") == std::string::npos) return std::nullopt;
    return ParseIPv4(ipText.empty() ? "0.0.0.0" : ipText);
}

std::string FieldRefusal(const std::string& label, uint32_t address, const std::string& why,
                         const std::string& none) {
    if (why.empty()) return {};
    return label + " " + DottedIPv4(address) + " " + why + (address == 0 ? ": " + none : "") + ".";
}

std::optional<AddressRefusal> RefusalOf(const EditorAddresses& a) {
    std::optional<AddressRefusal> refusal;
    const auto refuse = [&](AddressField field, const std::string& text) {
        if (!refusal && !text.empty()) refusal = AddressRefusal{field, text};
        return refusal.has_value();
    };
    using F = AddressField;
    if (a.staticIP) {
        if (!a.ip) return AddressRefusal{F::ip, "IP Address: can not be empty."};
        if (refuse(F::ip, FieldRefusal("IP Address:", *a.ip, WhyNoHostAddress(*a.ip),
                                       "type the adapter's own address")))
            return refusal;
        if (!a.mask) return AddressRefusal{F::mask, "Subnet Mask: can not be empty."};
        if (refuse(F::mask, FieldRefusal("Subnet Mask:", *a.mask, WhyNoSubnetMask(*a.mask),
                                         "type the adapter's subnet mask")) ||
            refuse(F::ip, FieldRefusal("IP Address:", *a.ip, WhyNoHostAddress(*a.ip, *a.mask), "")))
            return refusal;
        const bool near = a.gateway && InSubnet(*a.gateway, *a.ip, *a.mask);
        if (a.gateway &&
            refuse(F::gateway,
                   FieldRefusal("Default Gateway:", *a.gateway,
                                WhyNoHostAddress(*a.gateway, near ? a.mask : std::nullopt),
                                "leave the field empty for none")))
            return refusal;
    }
    if (a.staticDns)
        for (int i = 0; i < 2; ++i)
            if (a.dns[i] &&
                refuse(i == 0 ? F::dns0 : F::dns1,
                       FieldRefusal(
                           i == 0 ? "Preferred DNS Server:" : "Alternate DNS Server:", *a.dns[i],
                           WhyNoDnsServer(*a.dns[i]), "leave the field empty for none")))
                return refusal;
    return refusal;
}

std::optional<AddressRefusal> RefusalOf(const TCardConfig& record) {
    // A stored entry that is no address at all was written by hand: not judged here.
    const auto entry = [](const std::vector<std::string>& list, size_t i) {
        return i < list.size() && !list[i].empty() ? ParseIPv4(list[i]) : std::nullopt;
    };
    EditorAddresses a;
    a.staticIP = !record.AutoDHCP;
    a.ip = entry(record.IPAddr, 0);
    a.mask = entry(record.SubnetMask, 0);
    a.gateway = entry(record.Gateway, 0);
    a.staticDns = !record.AutoDNS;
    a.dns[0] = entry(record.DNSAddr, 0);
    a.dns[1] = entry(record.DNSAddr, 1);
    return RefusalOf(a);
}

}  // namespace vt
