// Letter-case folding and blank trimming for code page 1252 text.
#include "base/AnsiText.h"

#include <array>

namespace vt {

namespace {

constexpr std::array<unsigned char, 256> MakeFoldTable() {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i);
    for (int c = 'a'; c <= 'z'; ++c) table[c] = static_cast<unsigned char>(c - 32);
    // Latin-1 lower-case letters, except the division sign and y-diaeresis (folded below).
    for (int c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7) table[c] = static_cast<unsigned char>(c - 32);
    // The letters that code page 1252 adds in 0x80-0x9F.
    table[0x9A] = 0x8A;  // s caron
    table[0x9C] = 0x8C;  // oe ligature
    table[0x9E] = 0x8E;  // z caron
    table[0xFF] = 0x9F;  // y diaeresis
    return table;
}

constexpr auto kFoldTable = MakeFoldTable();

}  // namespace

char FoldCase(char c) {
    return static_cast<char>(kFoldTable[static_cast<unsigned char>(c)]);
}

std::string FoldCase(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) c = FoldCase(c);
    return folded;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

bool IsProfileBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a';
}

std::string_view TrimProfileBlanks(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsProfileBlank(text[begin])) ++begin;
    while (end > begin && IsProfileBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

}  // namespace vt
