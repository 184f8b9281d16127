// Fuzz target: any bytes parse; after any writes the engine lets through, a fresh document parsed
// from the serialised text answers every read exactly as the writing document does.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "core/IniDocument.h"

namespace {

void ExpectSameReads(const vt::IniDocument& writer, const vt::IniDocument& fresh,
                     const std::set<std::string>& sections, const std::set<std::string>& keys) {
    for (const std::string& section : sections) {
        const auto names = writer.KeyNames(section);
        if (names != fresh.KeyNames(section)) __builtin_trap();
        std::set<std::string> asked(keys);
        asked.insert(names.begin(), names.end());
        for (const std::string& key : asked)
            if (writer.ReadValue(section, key) != fresh.ReadValue(section, key)) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string text = input.ConsumeRandomLengthString(2048);
    vt::IniDocument doc = vt::IniDocument::Parse(text);
    const std::string serialized = doc.Serialize();
    // Parsing what we wrote gives the same text again.
    if (vt::IniDocument::Parse(serialized).Serialize() != serialized) __builtin_trap();

    std::set<std::string> sections, keys;
    while (input.remaining_bytes() > 0) {
        const int operation = input.ConsumeIntegralInRange(0, 3);
        const std::string section = input.ConsumeRandomLengthString(24);
        const std::string key = input.ConsumeRandomLengthString(24);
        const std::string value = input.ConsumeRandomLengthString(24);
        sections.insert(section);
        keys.insert(key);
        switch (operation) {
            case 0:
            case 1:
                // The settings file lets through only what reads back as written.
                if (!vt::IniDocument::ReadsBackAsWritten(section, key, value)) break;
                doc.WriteValue(section, key, value);
                if (!doc.ReadValue(section, key)) __builtin_trap();
                break;
            case 2: doc.DeleteKey(section, key); break;
            default: doc.EraseSection(section); break;
        }
    }
    ExpectSameReads(doc, vt::IniDocument::Parse(doc.Serialize()), sections, keys);
    return 0;
}
