// Fuzz target: any bytes parse; reads, edits and the round trip through text keep their promises.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/IniDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    vt::IniDocument doc = vt::IniDocument::Parse(text);
    const std::string serialized = doc.Serialize();
    // Parsing what we wrote gives the same text again.
    if (vt::IniDocument::Parse(serialized).Serialize() != serialized) __builtin_trap();

    // Take a section and key name from the input itself, write, and read back.
    const size_t cut = size / 3;
    std::string section = text.substr(0, cut), key = text.substr(cut, cut);
    for (std::string* s : {&section, &key})
        for (char& c : *s)
            if (c == '\r' || c == '\n' || c == '\0' || c == '=' || c == '[' || c == ']' ||
                c == ';' || c == '"' || c == '\'')
                c = '_';
    for (const std::string& name : doc.KeyNames(section)) (void)doc.ReadValue(section, name);
    doc.WriteValue(section, key, "value");
    const vt::IniDocument again = vt::IniDocument::Parse(doc.Serialize());
    const auto value = again.ReadValue(section, key);
    // A name made only of blanks cannot be found again; any other must read back what was written.
    const bool blankName = section.find_first_not_of(" \t\v\f\x1a") == std::string::npos ||
                           key.find_first_not_of(" \t\v\f\x1a") == std::string::npos;
    if (!blankName && value != std::optional<std::string>("value")) __builtin_trap();
    return 0;
}
