// Letter-case folding by the active ANSI code page, and blank trimming.
#include "base/AnsiText.h"

#include <algorithm>
#include <utility>

namespace vt {

namespace {

AnsiCodePage& Active() {
    static AnsiCodePage page = AnsiCodePage::Cp1252();
    return page;
}

bool activeHasLongCharacters = false;  // asked at every comparison: kept, not counted

}  // namespace

AnsiCodePage AnsiCodePage::Cp1252() {
    AnsiCodePage page;
    for (int i = 0; i < 256; ++i) {
        page.fold[i] = static_cast<unsigned char>(i);
        page.length[i] = 1;
    }
    for (int c = 'a'; c <= 'z'; ++c) page.fold[c] = static_cast<unsigned char>(c - 32);
    // Latin-1 lower-case letters, except the division sign and y-diaeresis (folded below).
    for (int c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7) page.fold[c] = static_cast<unsigned char>(c - 32);
    // The letters that code page 1252 adds in 0x80-0x9F.
    page.fold[0x9A] = 0x8A;  // s caron
    page.fold[0x9C] = 0x8C;  // oe ligature
    page.fold[0x9E] = 0x8E;  // z caron
    page.fold[0xFF] = 0x9F;  // y diaeresis
    return page;
}

bool AnsiCodePage::HasLongCharacters() const {
    for (unsigned char bytes : length)
        if (bytes > 1) return true;
    return false;
}

void UseAnsiCodePage(AnsiCodePage page) {
    activeHasLongCharacters = page.HasLongCharacters();
    Active() = std::move(page);
}

const AnsiCodePage& ActiveAnsiCodePage() {
    return Active();
}

size_t CharacterLength(std::string_view text, size_t at) {
    const size_t length = Active().length[static_cast<unsigned char>(text[at])];
    return std::min(std::max<size_t>(length, 1), text.size() - at);
}

char FoldCase(char c) {
    return static_cast<char>(Active().fold[static_cast<unsigned char>(c)]);
}

std::string FoldCase(std::string_view text) {
    const AnsiCodePage& page = Active();
    std::string folded(text);
    for (size_t i = 0; i < folded.size();) {
        const size_t length = CharacterLength(text, i);
        if (length == 1) {
            folded[i] = FoldCase(folded[i]);
        } else if (page.foldLong) {
            const std::string character = page.foldLong(text.substr(i, length));
            if (character.size() == length) folded.replace(i, length, character);
        }
        i += length;
    }
    return folded;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (activeHasLongCharacters) return FoldCase(a) == FoldCase(b);
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
