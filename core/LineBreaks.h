// Where a line of the settings file ends, the same for its ANSI and its UTF-16 form.
#pragma once

#include <string_view>

namespace vt {

struct LineSpan {
    size_t contentEnd;  // the line's text ends here, without its line break
    size_t next;        // the next line starts here
};

// Lines end at LF, and the CR of a CR LF is not part of the line; where no LF follows at all, a
// CR ends the line (files with CR-only line ends), as the system's reader splits them.
template <typename Char>
LineSpan NextLine(std::basic_string_view<Char> text, size_t pos) {
    size_t lineBreak = text.find(Char('\n'), pos);
    if (lineBreak == std::basic_string_view<Char>::npos) lineBreak = text.find(Char('\r'), pos);
    if (lineBreak == std::basic_string_view<Char>::npos) return {text.size(), text.size()};
    size_t end = lineBreak;
    if (text[lineBreak] == Char('\n') && end > pos && text[end - 1] == Char('\r')) --end;
    return {end, lineBreak + 1};
}

}  // namespace vt
