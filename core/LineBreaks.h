// Where a line of the settings file ends, the same for its ANSI and its UTF-16 form.
#pragma once

#include <string_view>

namespace vt {

struct LineSpan {
    size_t contentEnd;  // the line's text ends here, without its line break
    size_t next;        // the next line starts here
};

// A line ends at CR LF, at LF, or at a CR alone (files with CR-only line ends, and a stray CR
// within a line), as the system's reader splits them.
template <typename Char>
LineSpan NextLine(std::basic_string_view<Char> text, size_t pos) {
    size_t end = pos;
    while (end < text.size() && text[end] != Char('\r') && text[end] != Char('\n')) ++end;
    if (end == text.size()) return {end, end};
    const bool crLf = text[end] == Char('\r') && end + 1 < text.size() && text[end + 1] == Char('\n');
    return {end, end + (crLf ? 2 : 1)};
}

}  // namespace vt
