// An address field as the user typed it, judged by the address rules, in the words of the
// editor's and the address dialog's messages.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/ConfigRecords.h"

namespace vt {

// What a field holds: nothing (no digit in any segment), or an address (0.0.0.0 when its digits
// are all zero). `text` is the field's Text, `ipText` its IPText.
std::optional<uint32_t> TypedAddress(const std::string& text, const std::string& ipText);

// "<label> <address> <why>." for a field the rules refuse, with `none` added for 0.0.0.0 (what
// to type instead); empty when `why` is.
std::string FieldRefusal(const std::string& label, uint32_t address, const std::string& why,
                         const std::string& none);

// What the editor judges: the first address, its mask and the gateway where the addresses are
// the user's own, the two DNS servers where those are.
struct EditorAddresses {
    bool staticIP = false;
    std::optional<uint32_t> ip, mask, gateway;
    bool staticDns = false;
    std::optional<uint32_t> dns[2];
};
enum class AddressField { ip, mask, gateway, dns0, dns1 };
struct AddressRefusal {
    AddressField field;
    std::string text;
};
// The editor's first refusal of them, in its words; nothing when it takes them.
std::optional<AddressRefusal> RefusalOf(const EditorAddresses& addresses);
// The same of a stored record: its first address and mask, first gateway and two DNS servers.
std::optional<AddressRefusal> RefusalOf(const TCardConfig& record);

}  // namespace vt
