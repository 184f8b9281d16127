// An INI text held line by line, read and edited with the private-profile rules, written back as it
// was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vt {

// Rules kept from the Windows private-profile functions:
// - lines end at CR LF, LF or a CR alone (core/LineBreaks.h); blanks (white space, CR, ^Z) around a line, a key and a value do not count;
// - "[" ... last "]" opens a section; its name is the text between them, without blanks around it;
// - the first "=" ends a key; a line without "=" is a key without a value, which reads as missing;
// - names are found regardless of letter case; the first section and the first key of a name win;
// - a value enclosed in a matching pair of double or single quotes reads without them;
// - listing a section's keys skips lines without "=", empty names and names starting with ";",
//   and finds the section only by its name exactly, without dropping blanks around it.
// Unlike those functions nothing is cut: values and key lists have no length limit.
class IniDocument {
  public:
    static IniDocument Parse(std::string_view text);
    std::string Serialize() const;

    // The value as a reader sees it (quotes removed), or nothing when the key is missing or has no
    // "=".
    std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;
    std::vector<std::string> KeyNames(std::string_view section) const;

    // Replaces the first key of that name in place, or adds it at the end of its section,
    // or adds the section at the end of the text. Leading blanks of the value are dropped.
    // All three edits tell whether the text changed.
    bool WriteValue(std::string_view section, std::string_view key, std::string_view value);
    bool DeleteKey(std::string_view section, std::string_view key);
    bool EraseSection(std::string_view section);

    // A section, key or value holding a line break or NUL would change the file's structure.
    static bool IsStorable(std::string_view text);

    // Whether writing that key and value into that section gives text that a fresh reader
    // finds again under the same names: no line break or NUL, a section name without blanks
    // around it, a key that is listed (not empty, no ";" first, no blanks around it), holds no
    // "=", and whose line does not read as a section header.
    static bool ReadsBackAsWritten(std::string_view section, std::string_view key,
                                   std::string_view value);

  private:
    struct Line {
        std::string text;
        uint32_t nameBegin = 0, nameLength = 0;
        uint32_t valueBegin = 0, valueLength = 0;
        bool isKey = false;
        bool hasValue = false;
        std::string_view Name() const {
            return std::string_view(text).substr(nameBegin, nameLength);
        }
        std::string_view Value() const {
            return std::string_view(text).substr(valueBegin, valueLength);
        }
    };
    struct Section {
        std::string header;  // empty for the lines before the first section
        std::string name;
        std::vector<Line> lines;
        // Long sections (a record with thousands of addresses) find keys through an index of
        // each folded name's first key line, built on the first lookup, dropped when lines move.
        mutable std::unordered_map<std::string, size_t> firstKeyByFoldedName;
        mutable bool keysIndexed = false;
    };
    static constexpr size_t kIndexedSectionLines = 32;

    static Line ParseLine(std::string text);
    static std::optional<std::string_view> SectionNameOf(std::string_view trimmedLine);
    const Section* FindSection(std::string_view name) const;  // blanks around `name` ignored
    const Section* FindSectionNamed(std::string_view name) const;
    Section* FindSection(std::string_view name);
    static Line* FindKey(Section& section, std::string_view key);
    static const Line* FindKey(const Section& section, std::string_view key);
    void RebuildIndex();

    std::vector<Section> sections_{Section{}};
    std::unordered_map<std::string, size_t> firstSectionByFoldedName_;
};

}  // namespace vt
