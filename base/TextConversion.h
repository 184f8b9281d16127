// Conversions between UTF-16 and the two byte forms the settings file may be kept in: code page
// 1252 (the ANSI code page of the host build and its fakes) and UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace vt {

// False when a character has no code page 1252 form; it becomes "?".
bool Cp1252FromWide(std::u16string_view wide, std::string& ansi);
std::u16string WideFromCp1252(std::string_view ansi);

// Invalid UTF-8 sequences become U+FFFD, one per byte that starts no valid sequence.
std::u16string WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::u16string_view wide);

}  // namespace vt
