// Reads and writes of the settings file: reload on change, a fresh read under the writers' lock,
// atomic replacement.
#include "core/SettingsFile.h"

#include "base/AnsiText.h"
#include "base/Error.h"

namespace vt {

bool ParseSettingsInteger(std::string_view text, int32_t& value) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (hex) text.remove_prefix(2);
    if (text.empty()) return false;
    const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    uint64_t magnitude = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (magnitude > limit) return false;
    }
    // Eight hexadecimal digits fill all 32 bits, the sign bit included.
    const auto bits = static_cast<uint32_t>(magnitude);
    value = static_cast<int32_t>(negative ? 0u - bits : bits);
    return true;
}

SettingsFile::SettingsFile(FileStore& store, std::string path)
    : store_(store), path_(std::move(path)) {}

bool SettingsFile::Load() {
    std::string bytes;
    FileStamp stamp;
    switch (store_.Read(path_, bytes, stamp)) {
        case ReadResult::Missing:
            bytes.clear();
            stamp = FileStamp{};
            break;
        case ReadResult::Read:
            if (bytes.size() == stamp.size) break;
            [[fallthrough]];  // a read that ended early is no file
        case ReadResult::Unreadable:
            loaded_ = false;
            unreadable_ = true;
            return false;
    }
    if (!loaded_ || bytes != bytes_) {
        EncodedText text = EncodedText::Decode(bytes, store_);
        // Text whose form cannot be told is neither read nor written over.
        if (text.Form() == TextForm::Unknown) {
            loaded_ = false;
            unreadable_ = true;
            return false;
        }
        text_ = std::move(text);
        doc_ = IniDocument::Parse(text_.Ansi());
        bytes_ = std::move(bytes);
    }
    unreadable_ = false;
    stamp_ = stamp;
    loaded_ = true;
    return true;
}

const IniDocument& SettingsFile::Current() {
    if (snapshots_ > 0 && looked_) {
        if (!loaded_) throw SettingsUnreadable("Unable to read " + path_);
        return doc_;
    }
    looked_ = snapshots_ > 0;
    if (loaded_ && store_.Stamp(path_) == stamp_) return doc_;
    // Never taken as empty: what is in a file that cannot be read is not known.
    if (!Load()) throw SettingsUnreadable("Unable to read " + path_);
    return doc_;
}

std::string SettingsFile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) {
    if (key.empty()) return std::string();  // as the system's reader: an empty key has no value
    auto value = Current().ReadValue(section, key);
    return value ? std::move(*value) : std::string(defaultValue);
}

std::optional<std::string> SettingsFile::Value(std::string_view section, std::string_view key) {
    if (key.empty()) return std::nullopt;
    return Current().ReadValue(section, key);
}

int32_t SettingsFile::ReadInteger(std::string_view section, std::string_view key,
                                  int32_t defaultValue) {
    int32_t value;
    return ParseSettingsInteger(ReadString(section, key, ""), value) ? value : defaultValue;
}

bool SettingsFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::vector<std::string> SettingsFile::ReadSection(std::string_view section) {
    return Current().KeyNames(section);
}

std::vector<std::pair<std::string, std::string>> SettingsFile::ReadSectionValues(
    std::string_view section) {
    const IniDocument& doc = Current();
    std::vector<std::pair<std::string, std::string>> entries;
    for (std::string& key : doc.KeyNames(section)) {
        std::string value = doc.ReadValue(section, key).value_or(std::string());
        entries.emplace_back(std::move(key), std::move(value));
    }
    return entries;
}

bool SettingsFile::ValueExists(std::string_view section, std::string_view key) {
    for (const std::string& name : ReadSection(section))
        if (EqualsIgnoreCase(name, key)) return true;
    return false;
}

void SettingsFile::RaiseUnableToWrite() const {
    throw Error("Unable to write to " + path_);
}

void SettingsFile::Update(const std::function<void(Batch&)>& edit) {
    const auto lock = store_.LockForWriting(path_);
    if (!lock) RaiseUnableToWrite();
    // Under the lock, start from what is on disk now, whatever its stamp says: another writer
    // may have just finished, or someone edited it in place within one tick of the clock.
    if (!Load()) RaiseUnableToWrite();

    // The edit works on the loaded text itself; when it cannot reach the disk, the next
    // operation reads the file again, so nothing half-done outlives the failure.
    Batch batch(doc_, path_);
    try {
        edit(batch);
    } catch (...) {
        loaded_ = looked_ = false;
        throw;
    }
    if (!batch.changed_) return;  // leave the file alone
    std::string bytes = text_.Encode(doc_.Serialize(), store_);
    if (!store_.Replace(path_, bytes)) {
        loaded_ = looked_ = false;
        RaiseUnableToWrite();
    }
    bytes_ = std::move(bytes);
    stamp_ = store_.Stamp(path_);
}

void SettingsFile::Batch::WriteString(std::string_view section, std::string_view key,
                                      std::string_view value) {
    if (!IniDocument::ReadsBackAsWritten(section, key, value))
        throw Error("Unable to write to " + path_);
    changed_ |= doc_.WriteValue(section, key, value);
}

void SettingsFile::Batch::WriteInteger(std::string_view section, std::string_view key,
                                       int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void SettingsFile::Batch::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void SettingsFile::Batch::EraseSection(std::string_view section) {
    changed_ |= doc_.EraseSection(section);
}

void SettingsFile::Batch::DeleteKey(std::string_view section, std::string_view key) {
    changed_ |= doc_.DeleteKey(section, key);
}

void SettingsFile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
    Update([&](Batch& batch) { batch.WriteString(section, key, value); });
}

void SettingsFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    Update([&](Batch& batch) { batch.WriteInteger(section, key, value); });
}

void SettingsFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    Update([&](Batch& batch) { batch.WriteBool(section, key, value); });
}

void SettingsFile::EraseSection(std::string_view section) {
    Update([&](Batch& batch) { batch.EraseSection(section); });
}

void SettingsFile::DeleteKey(std::string_view section, std::string_view key) {
    Update([&](Batch& batch) { batch.DeleteKey(section, key); });
}

}  // namespace vt
