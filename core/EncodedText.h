// The settings file's bytes as the engine reads them, ANSI text, whatever form the file is kept
// in, and the way back into that form.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/FileStore.h"

namespace vt {

// The forms the system's private-profile functions tell apart by the file's first bytes: a
// UTF-16 byte-order mark (little or big end first), a UTF-8 byte-order mark, or none (ANSI);
// and, as the system tells text apart where there is no mark (Notepad does the same), UTF-16
// little end first laid out with NULs. A file with NULs in no such layout cannot be told.
enum class TextForm { Ansi, Utf8, Utf16Le, Utf16Be, Utf16LeUnmarked, Unknown };

class EncodedText {
  public:
    // Converts through the system's ANSI code page. A line with characters that have no ANSI
    // form is remembered, so that it is written back as it was when it comes back unchanged; of
    // lines that read the same in ANSI, each keeps its own bytes, in the order they stand.
    static EncodedText Decode(std::string_view bytes, FileStore& codePage);

    const std::string& Ansi() const { return ansi_; }
    TextForm Form() const { return form_; }

    // The file's bytes for `ansi`, in the form the file was read in, with its byte-order mark.
    std::string Encode(std::string_view ansi, FileStore& codePage) const;

  private:
    TextForm form_ = TextForm::Ansi;
    std::string ansi_;
    // ANSI form -> for each line that reads so, in file order, its original bytes, or nothing
    // where the ANSI form is faithful; kept only for forms that some line has no ANSI form for.
    std::unordered_map<std::string, std::vector<std::string>> linesReadAs_;
};

}  // namespace vt
