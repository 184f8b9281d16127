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

}  // namespace vt
