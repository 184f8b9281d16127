// Text helpers for ANSI (code page 1252) strings: letter-case folding and blank trimming.
#pragma once

#include <string>
#include <string_view>

namespace vt {

// Upper-cases one character the way Windows compares names in code page 1252.
char FoldCase(char c);

// The whole text folded, for use as a lookup key.
std::string FoldCase(std::string_view text);

bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Blanks as the private-profile functions see them: white space, plus CR and the DOS end-of-file
// mark.
bool IsProfileBlank(char c);

std::string_view TrimProfileBlanks(std::string_view text);

}  // namespace vt
