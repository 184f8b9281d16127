// Parsing, lookup and in-place editing of INI text with the private-profile rules.
#include "core/IniDocument.h"

#include <utility>

#include "base/AnsiText.h"
#include "core/LineBreaks.h"

namespace vt {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string_view StripMatchingQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

IniDocument::Line IniDocument::ParseLine(std::string text) {
    Line line;
    line.text = std::move(text);
    const std::string_view raw(line.text);
    const std::string_view trimmed = TrimProfileBlanks(raw);
    if (trimmed.empty()) return line;
    line.isKey = true;
    const size_t begin = static_cast<size_t>(trimmed.data() - raw.data());
    const size_t equals = trimmed.find('=');
    std::string_view name = trimmed;
    if (equals != std::string_view::npos) {
        name = TrimProfileBlanks(trimmed.substr(0, equals));
        const std::string_view value = TrimProfileBlanks(trimmed.substr(equals + 1));
        line.hasValue = true;
        line.valueBegin = static_cast<uint32_t>(value.data() - raw.data());
        line.valueLength = static_cast<uint32_t>(value.size());
    }
    line.nameBegin = static_cast<uint32_t>(name.empty() ? begin : name.data() - raw.data());
    line.nameLength = static_cast<uint32_t>(name.size());
    return line;
}

std::optional<std::string_view> IniDocument::SectionNameOf(std::string_view trimmedLine) {
    if (trimmedLine.empty() || trimmedLine.front() != '[') return std::nullopt;
    const size_t close = trimmedLine.rfind(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trimmedLine.substr(1, close - 1);
}

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument doc;
    size_t pos = 0;
    while (pos < text.size()) {
        const LineSpan line = NextLine(text, pos);
        const std::string_view raw = text.substr(pos, line.contentEnd - pos);
        pos = line.next;

        if (auto name = SectionNameOf(TrimProfileBlanks(raw))) {
            Section section;
            section.header = std::string(raw);
            section.name = std::string(TrimProfileBlanks(*name));
            doc.sections_.push_back(std::move(section));
            continue;
        }
        doc.sections_.back().lines.push_back(ParseLine(std::string(raw)));
    }
    doc.RebuildIndex();
    return doc;
}

std::string IniDocument::Serialize() const {
    size_t size = 0;
    for (const Section& section : sections_) {
        if (!section.header.empty()) size += section.header.size() + kLineEnd.size();
        for (const Line& line : section.lines) size += line.text.size() + kLineEnd.size();
    }
    std::string text;
    text.reserve(size);
    for (const Section& section : sections_) {
        if (!section.header.empty()) text.append(section.header).append(kLineEnd);
        for (const Line& line : section.lines) text.append(line.text).append(kLineEnd);
    }
    return text;
}

void IniDocument::RebuildIndex() {
    firstSectionByFoldedName_.clear();
    for (size_t i = 1; i < sections_.size(); ++i) {
        if (sections_[i].name.empty()) continue;  // "[]" can never be asked for
        firstSectionByFoldedName_.emplace(FoldCase(sections_[i].name), i);
    }
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    return FindSectionNamed(TrimProfileBlanks(name));
}

const IniDocument::Section* IniDocument::FindSectionNamed(std::string_view name) const {
    if (name.empty()) return nullptr;
    const auto it = firstSectionByFoldedName_.find(FoldCase(name));
    return it == firstSectionByFoldedName_.end() ? nullptr : &sections_[it->second];
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

const IniDocument::Line* IniDocument::FindKey(const Section& section, std::string_view key) {
    const std::string_view trimmed = TrimProfileBlanks(key);
    if (section.lines.size() < kIndexedSectionLines) {
        for (const Line& line : section.lines)
            if (line.isKey && EqualsIgnoreCase(line.Name(), trimmed)) return &line;
        return nullptr;
    }
    if (!section.keysIndexed) {
        section.firstKeyByFoldedName.clear();
        for (size_t i = 0; i < section.lines.size(); ++i)
            if (section.lines[i].isKey)
                section.firstKeyByFoldedName.emplace(FoldCase(section.lines[i].Name()), i);
        section.keysIndexed = true;
    }
    const auto it = section.firstKeyByFoldedName.find(FoldCase(trimmed));
    return it == section.firstKeyByFoldedName.end() ? nullptr : &section.lines[it->second];
}

IniDocument::Line* IniDocument::FindKey(Section& section, std::string_view key) {
    return const_cast<Line*>(FindKey(std::as_const(section), key));
}

std::optional<std::string> IniDocument::ReadValue(std::string_view section,
                                                  std::string_view key) const {
    const Section* found = FindSection(section);
    if (!found) return std::nullopt;
    const Line* line = FindKey(*found, key);
    if (!line || !line->hasValue) return std::nullopt;
    return std::string(StripMatchingQuotes(line->Value()));
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    // Unlike a value lookup, listing takes the section name as given, blanks included.
    const Section* found = FindSectionNamed(section);
    if (!found) return names;
    for (const Line& line : found->lines) {
        if (!line.isKey || !line.hasValue) continue;
        const std::string_view name = line.Name();
        if (name.empty() || name.front() == ';') continue;
        names.emplace_back(name);
    }
    return names;
}

bool IniDocument::WriteValue(std::string_view section, std::string_view key,
                             std::string_view value) {
    const std::string_view keyName = TrimProfileBlanks(key);
    size_t valueStart = 0;
    while (valueStart < value.size() && IsProfileBlank(value[valueStart])) ++valueStart;
    value.remove_prefix(valueStart);

    Section* target = FindSection(section);
    if (!target) {
        Section added;
        added.name = std::string(TrimProfileBlanks(section));
        added.header = "[" + added.name + "]";
        // Keep a blank line between the sections, as a person would lay the file out.
        const Section& last = sections_.back();
        const bool fileHasText = sections_.size() > 1 || !last.lines.empty();
        if (fileHasText && (last.lines.empty() || last.lines.back().isKey))
            sections_.back().lines.push_back(ParseLine(std::string()));
        sections_.push_back(std::move(added));
        firstSectionByFoldedName_.emplace(FoldCase(sections_.back().name), sections_.size() - 1);
        target = &sections_.back();
    }
    if (Line* line = FindKey(*target, keyName)) {
        if (line->hasValue && line->Value() == value) return false;
        std::string text(line->Name());
        text.append("=").append(value);
        *line = ParseLine(std::move(text));
        return true;
    }
    std::string text(keyName);
    text.append("=").append(value);
    // A new key goes after the section's last key line, before the blank lines that close it.
    auto insertAt = target->lines.end();
    while (insertAt != target->lines.begin() && !(insertAt - 1)->isKey) --insertAt;
    const size_t index = static_cast<size_t>(insertAt - target->lines.begin());
    target->lines.insert(insertAt, ParseLine(std::move(text)));
    // Only blank lines moved: the key lines before it keep their places.
    if (target->keysIndexed) target->firstKeyByFoldedName.emplace(FoldCase(keyName), index);
    return true;
}

bool IniDocument::DeleteKey(std::string_view section, std::string_view key) {
    const std::string folded = FoldCase(TrimProfileBlanks(section));
    for (size_t i = 1; i < sections_.size(); ++i) {
        if (sections_[i].name.empty() || FoldCase(sections_[i].name) != folded) continue;
        auto& lines = sections_[i].lines;
        if (Line* line = FindKey(sections_[i], key)) {
            lines.erase(lines.begin() + (line - lines.data()));
            sections_[i].keysIndexed = false;
            return true;
        }
    }
    return false;
}

bool IniDocument::EraseSection(std::string_view section) {
    const auto it = firstSectionByFoldedName_.find(FoldCase(TrimProfileBlanks(section)));
    if (it == firstSectionByFoldedName_.end()) return false;
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(it->second));
    RebuildIndex();
    return true;
}

bool IniDocument::IsStorable(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool IniDocument::ReadsBackAsWritten(std::string_view section, std::string_view key,
                                     std::string_view value) {
    if (!IsStorable(section) || !IsStorable(key) || !IsStorable(value)) return false;
    if (section.empty() || TrimProfileBlanks(section) != section) return false;
    std::string text(key);
    text.append("=").append(value);
    if (SectionNameOf(TrimProfileBlanks(text))) return false;
    const Line line = ParseLine(std::move(text));
    return !key.empty() && line.Name() == key && key.front() != ';';
}

}  // namespace vt
