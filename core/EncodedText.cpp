// Byte-order marks, UTF-16 and UTF-8 lines to and from the ANSI code page.
#include "core/EncodedText.h"

#include <algorithm>

#include "base/TextConversion.h"
#include "core/LineBreaks.h"

namespace vt {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// UTF-16 little end first without a mark: an even length, and text whose characters are mostly
// ASCII (an INI file's brackets, equals signs, line ends and names are), so that the high byte
// of at least half of them is NUL while hardly any other byte is.
bool LooksLikeUtf16Le(std::string_view bytes) {
    if (bytes.size() < 2 || bytes.size() % 2 != 0) return false;
    size_t asciiUnits = 0, lowNuls = 0;
    for (size_t i = 0; i < bytes.size(); i += 2) {
        if (bytes[i + 1] == '\0' && bytes[i] != '\0') ++asciiUnits;
        if (bytes[i] == '\0') ++lowNuls;
    }
    const size_t units = bytes.size() / 2;
    return asciiUnits * 2 >= units && lowNuls * 8 <= asciiUnits;
}

bool IsLittleEnd(TextForm form) {
    return form == TextForm::Utf16Le || form == TextForm::Utf16LeUnmarked;
}

std::u16string WideFromBytes(std::string_view bytes, TextForm form) {
    if (form == TextForm::Utf8) return WideFromUtf8(bytes);
    std::u16string wide(bytes.size() / 2, u'\0');  // an odd last byte is no character
    for (size_t i = 0; i < wide.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        wide[i] = IsLittleEnd(form) ? char16_t(first | second << 8) : char16_t(second | first << 8);
    }
    return wide;
}

std::string BytesFromWide(std::u16string_view wide, TextForm form) {
    if (form == TextForm::Utf8) return Utf8FromWide(wide);
    std::string bytes;
    bytes.reserve(wide.size() * 2);
    for (char16_t c : wide) {
        const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
        bytes.push_back(IsLittleEnd(form) ? low : high);
        bytes.push_back(IsLittleEnd(form) ? high : low);
    }
    return bytes;
}

std::string_view MarkOf(TextForm form) {
    switch (form) {
        case TextForm::Utf8: return kUtf8Mark;
        case TextForm::Utf16Le: return kUtf16LeMark;
        case TextForm::Utf16Be: return kUtf16BeMark;
        case TextForm::Ansi:
        case TextForm::Utf16LeUnmarked:
        case TextForm::Unknown: break;
    }
    return {};
}

}  // namespace

EncodedText EncodedText::Decode(std::string_view bytes, FileStore& codePage) {
    EncodedText text;
    for (TextForm form : {TextForm::Utf8, TextForm::Utf16Le, TextForm::Utf16Be})
        if (bytes.substr(0, MarkOf(form).size()) == MarkOf(form)) text.form_ = form;
    if (text.form_ == TextForm::Ansi && bytes.find('\0') != std::string_view::npos)
        text.form_ = LooksLikeUtf16Le(bytes) ? TextForm::Utf16LeUnmarked : TextForm::Unknown;
    if (text.form_ == TextForm::Unknown) return text;  // nothing is read of it, nor written
    if (text.form_ == TextForm::Ansi) {
        text.ansi_ = std::string(bytes);
        return text;
    }
    const std::u16string wide =
        WideFromBytes(bytes.substr(MarkOf(text.form_).size()), text.form_);
    const std::u16string_view view(wide);
    std::string ansiLine;
    for (size_t pos = 0; pos < view.size();) {
        const LineSpan span = NextLine(view, pos);
        const std::u16string_view line = view.substr(pos, span.contentEnd - pos);
        const bool faithful = codePage.AnsiFromWide(line, ansiLine);
        // Every line has its place in the list of those that read so, an ANSI line that reads
        // like one with no ANSI form too, so that neither takes the other's bytes.
        text.linesReadAs_[ansiLine].push_back(faithful ? std::string()
                                                       : BytesFromWide(line, text.form_));
        text.ansi_ += ansiLine;
        // The line break itself is plain ASCII in every form.
        for (size_t i = span.contentEnd; i < span.next; ++i)
            text.ansi_.push_back(static_cast<char>(view[i]));
        pos = span.next;
    }
    std::erase_if(text.linesReadAs_, [](const auto& readAs) {
        return std::all_of(readAs.second.begin(), readAs.second.end(),
                           [](const std::string& bytes) { return bytes.empty(); });
    });
    return text;
}

std::string EncodedText::Encode(std::string_view ansi, FileStore& codePage) const {
    if (form_ == TextForm::Ansi || form_ == TextForm::Unknown) return std::string(ansi);
    std::string bytes(MarkOf(form_));
    // The program never moves a line: the n-th line that reads so is the n-th that was read so.
    std::unordered_map<std::string, size_t> used;
    for (size_t pos = 0; pos < ansi.size();) {
        const LineSpan span = NextLine(ansi, pos);
        const std::string line(ansi.substr(pos, span.contentEnd - pos));
        const auto kept = linesReadAs_.find(line);
        const std::string* original = nullptr;
        if (kept != linesReadAs_.end() && used[line] < kept->second.size())
            original = &kept->second[used[line]++];
        if (original && !original->empty())
            bytes += *original;
        else
            bytes += BytesFromWide(codePage.WideFromAnsi(line), form_);
        std::u16string lineBreak;
        for (size_t i = span.contentEnd; i < span.next; ++i) lineBreak.push_back(char16_t(ansi[i]));
        bytes += BytesFromWide(lineBreak, form_);
        pos = span.next;
    }
    return bytes;
}

}  // namespace vt
