// Fuzz target: the settings file's bytes in any form. Any bytes decode; a file read and written
// back unchanged keeps its bytes (all of them, where they are well-formed text of their form),
// and what is written reads back as the same text in the same form.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/TextConversion.h"
#include "core/EncodedText.h"
#include "platform/posix/PosixFileStore.h"

namespace {

// What the form can hold of these bytes: UTF-16 has no half characters, and UTF-8 that is not
// well-formed has no faithful wide form.
bool WellFormed(std::string_view bytes, vt::TextForm form) {
    switch (form) {
        case vt::TextForm::Utf16Le:
        case vt::TextForm::Utf16Be:
        case vt::TextForm::Utf16LeUnmarked: return bytes.size() % 2 == 0;
        case vt::TextForm::Utf8: {
            const std::string_view text = bytes.substr(3);
            return vt::Utf8FromWide(vt::WideFromUtf8(text)) == text;
        }
        case vt::TextForm::Ansi:
        case vt::TextForm::Unknown: break;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vt::PosixFileStore codePage;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vt::EncodedText text = vt::EncodedText::Decode(bytes, codePage);
    if (text.Form() == vt::TextForm::Unknown) {
        if (!text.Ansi().empty()) __builtin_trap();  // a file that cannot be told is never read
        return 0;
    }
    const std::string written = text.Encode(text.Ansi(), codePage);
    if (WellFormed(bytes, text.Form()) && written != bytes) __builtin_trap();
    const vt::EncodedText again = vt::EncodedText::Decode(written, codePage);
    if (again.Form() != text.Form() || again.Ansi() != text.Ansi()) __builtin_trap();
    return 0;
}
