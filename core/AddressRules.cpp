// IPv4 addresses and masks against the ranges no adapter can use.
#include "core/AddressRules.h"

namespace vt {

namespace {

std::string Subnet(uint32_t address, uint32_t mask) {
    int prefix = 0;
    for (uint32_t bit = 0x80000000u; bit && (mask & bit); bit >>= 1) ++prefix;
    return DottedIPv4(address & mask) + "/" + std::to_string(prefix);
}

}  // namespace

std::optional<uint32_t> ParseIPv4(std::string_view dotted) {
    uint32_t address = 0;
    int parts = 0;
    size_t at = 0;
    while (parts < 4) {
        size_t digits = 0;
        uint32_t part = 0;
        while (at < dotted.size() && dotted[at] >= '0' && dotted[at] <= '9' && digits < 3) {
            part = part * 10 + static_cast<uint32_t>(dotted[at++] - '0');
            ++digits;
        }
        if (digits == 0 || part > 255) return std::nullopt;
        address = address << 8 | part;
        if (++parts < 4 && (at >= dotted.size() || dotted[at++] != '.')) return std::nullopt;
    }
    if (at != dotted.size()) return std::nullopt;
    return address;
}

std::string DottedIPv4(uint32_t address) {
    return std::to_string(address >> 24) + "." + std::to_string(address >> 16 & 0xFF) + "." +
           std::to_string(address >> 8 & 0xFF) + "." + std::to_string(address & 0xFF);
}

bool IsContiguousMask(uint32_t mask) {
    const uint32_t zeros = ~mask;
    return (zeros & (zeros + 1)) == 0;
}

std::string WhyNoHostAddress(uint32_t address, std::optional<uint32_t> mask) {
    const uint32_t first = address >> 24;
    if (address == 0) return "is no address";
    if (address == 0xFFFFFFFFu) return "is not valid: it is the broadcast address";
    if (first == 0) return "is not valid: addresses beginning with 0 stand for this network";
    if (first == 127)
        return "is not valid: addresses beginning with 127 are the computer's own loopback";
    if (first >= 224 && first <= 239) return "is not valid: it is a multicast address";
    if (first >= 240) return "is not valid: it is a reserved address";
    // A /31 or /32 subnet has no network or broadcast address of its own.
    if (mask && IsContiguousMask(*mask) && ~*mask >= 3) {
        if ((address & ~*mask) == 0)
            return "is not valid: it is the network address of its subnet, " +
                   Subnet(address, *mask);
        if ((address & ~*mask) == ~*mask)
            return "is not valid: it is the broadcast address of its subnet, " +
                   Subnet(address, *mask);
    }
    return {};
}

std::string WhyNoSubnetMask(uint32_t mask) {
    if (mask == 0) return "is no subnet mask";
    if (!IsContiguousMask(mask))
        return "is not valid: a subnet mask is ones followed by zeros, without gaps";
    return {};
}

std::string WhyNoDnsServer(uint32_t address) {
    const uint32_t first = address >> 24;
    if (address == 0) return "is no address";
    if (address == 0xFFFFFFFFu) return "is not valid: it is the broadcast address";
    if (first >= 224 && first <= 239) return "is not valid: it is a multicast address";
    if (first >= 240) return "is not valid: it is a reserved address";
    return {};
}

bool InSubnet(uint32_t address, uint32_t other, uint32_t mask) {
    return (address & mask) == (other & mask);
}

}  // namespace vt
