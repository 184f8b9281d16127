// Code page 1252 and UTF-8 to and from UTF-16.
#include "base/TextConversion.h"

#include <array>

namespace vt {

namespace {

// Code page 1252 differs from Latin-1 only in 0x80-0x9F; its five unused bytes map to the C1
// controls of the same value, as Windows maps them.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool Cp1252Byte(char16_t c, char& out) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        out = static_cast<char>(c);
        return true;
    }
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c) {
            out = static_cast<char>(0x80 + i);
            return true;
        }
    return false;
}

void AppendUtf16(std::u16string& out, char32_t code) {
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
        return;
    }
    code -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
}

}  // namespace

bool Cp1252FromWide(std::u16string_view wide, std::string& ansi) {
    ansi.clear();
    ansi.reserve(wide.size());
    bool exact = true;
    for (char16_t c : wide) {
        char byte;
        if (!Cp1252Byte(c, byte)) {
            byte = '?';
            exact = false;
        }
        ansi.push_back(byte);
    }
    return exact;
}

std::u16string WideFromCp1252(std::string_view ansi) {
    std::u16string wide;
    wide.reserve(ansi.size());
    for (char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        wide.push_back(byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : char16_t{byte});
    }
    return wide;
}

std::u16string WideFromUtf8(std::string_view utf8) {
    std::u16string wide;
    wide.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3
                                            : (lead >> 3) == 30 ? 4 : 0;
        char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F
                                         : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length != 0 && i + length <= utf8.size();
        for (size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are not characters.
        static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && code >= kMinimum[length] && code <= 0x10FFFF &&
                !(code >= 0xD800 && code <= 0xDFFF);
        if (!valid) {
            wide.push_back(0xFFFD);
            ++i;
            continue;
        }
        AppendUtf16(wide, code);
        i += length;
    }
    return wide;
}

std::string Utf8FromWide(std::u16string_view wide) {
    std::string utf8;
    utf8.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        char32_t code = wide[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;  // a lone surrogate has no UTF-8 form
        }
        if (code < 0x80) {
            utf8.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            utf8.push_back(static_cast<char>(0xC0 | (code >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            utf8.push_back(static_cast<char>(0xE0 | (code >> 12)));
            utf8.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            utf8.push_back(static_cast<char>(0xF0 | (code >> 18)));
            utf8.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return utf8;
}

}  // namespace vt
