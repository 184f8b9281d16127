// An address field as the user typed it, judged by the address rules, in the words of the
// editor's and the address dialog's messages.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vt {

// What a field holds: nothing (no digit in any segment), or an address (0.0.0.0 when its digits
// are all zero). `text` is the field's Text, `ipText` its IPText.
std::optional<uint32_t> TypedAddress(const std::string& text, const std::string& ipText);

// "<label> <address> <why>." for a field the rules refuse, with `none` added for 0.0.0.0 (what
// to type instead); empty when `why` is.
std::string FieldRefusal(const std::string& label, uint32_t address, const std::string& why,
                         const std::string& none);

}  // namespace vt
