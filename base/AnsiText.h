// Text helpers for ANSI strings in the system's code page: letter-case folding as the
// private-profile functions fold names, where characters begin, and blank trimming.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace vt {

// How the ANSI code page folds letter case and where its characters begin: a byte starts a
// character of length[byte] bytes (2 for the lead byte of a double-byte character). Code page
// 1252, the host build's and the fakes', unless the program's start says otherwise.
struct AnsiCodePage {
    std::array<unsigned char, 256> fold{};    // each character of one byte, folded
    std::array<unsigned char, 256> length{};  // 1, or more for a byte that begins a longer one
    // A character of several bytes folded, with as many bytes; unset where none fold.
    std::function<std::string(std::string_view)> foldLong;
    bool HasLongCharacters() const;
    static AnsiCodePage Cp1252();
};

// Once, at the start, before any text is compared and before a second thread runs.
void UseAnsiCodePage(AnsiCodePage page);
const AnsiCodePage& ActiveAnsiCodePage();

// The number of bytes of the character that begins at text[at]; a character cut off by the end of
// the text ends there.
size_t CharacterLength(std::string_view text, size_t at);

// Folds one character of one byte the way the system compares names; a byte that begins a longer
// character stays as it is.
char FoldCase(char c);

// The whole text folded, character by character (never inside a double-byte character), for use
// as a lookup key.
std::string FoldCase(std::string_view text);

bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Blanks as the private-profile functions see them: white space, plus CR and the DOS end-of-file
// mark.
bool IsProfileBlank(char c);

std::string_view TrimProfileBlanks(std::string_view text);

}  // namespace vt
