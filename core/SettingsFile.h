// The settings file object: typed reads with defaults and immediate, atomic, serialised writes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/Error.h"
#include "core/EncodedText.h"
#include "core/IniDocument.h"
#include "platform/FileStore.h"

namespace vt {

// A file that exists but cannot be read (held by another program past the wait, refused by its
// access list, or in a form that cannot be told): "Unable to read <full path>".
class SettingsUnreadable : public Error {
  public:
    using Error::Error;
};

// Reads check the file's stamp and reload it when anyone changed it. Every write reads the file
// afresh under a lock shared with other processes, so an edit made elsewhere is never
// overwritten, and replaces it as a whole. A missing file, section or key reads as its default;
// a file that exists but cannot be read is never taken as empty: the read raises
// SettingsUnreadable, and the next read tries again. A write that cannot read the file first,
// or that the system refuses, raises "Unable to write to <full path>" and leaves the file as it
// was. Sections and keys that a fresh reader would not find again as written are refused the
// same way.
class SettingsFile {
  public:
    SettingsFile(FileStore& store, std::string path);

    const std::string& Path() const { return path_; }
    // Whether the last look found the file but could not read it (held by another program).
    bool Unreadable() const { return unreadable_; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue);
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue);
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue);
    std::vector<std::string> ReadSection(std::string_view section);  // the keys, in file order
    // The keys in file order, each with the value ReadString gives it (default empty), from one
    // look at the file.
    std::vector<std::pair<std::string, std::string>> ReadSectionValues(std::string_view section);
    bool ValueExists(std::string_view section, std::string_view key);
    // The key's value, or nothing when the key is missing (or has no "=").
    std::optional<std::string> Value(std::string_view section, std::string_view key);

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);

    // Several writes that reach the file as one replacement, all or nothing.
    class Batch {
      public:
        void WriteString(std::string_view section, std::string_view key, std::string_view value);
        void WriteInteger(std::string_view section, std::string_view key, int32_t value);
        void WriteBool(std::string_view section, std::string_view key, bool value);
        void EraseSection(std::string_view section);
        void DeleteKey(std::string_view section, std::string_view key);
        // What the file holds now, under the writers' lock, with the batch's writes so far.
        std::optional<std::string> Value(std::string_view section, std::string_view key) const {
            return doc_.ReadValue(section, key);
        }

      private:
        friend class SettingsFile;
        Batch(IniDocument& doc, const std::string& path) : doc_(doc), path_(path) {}
        IniDocument& doc_;
        const std::string& path_;
        bool changed_ = false;
    };
    void Update(const std::function<void(Batch&)>& edit);

    // One user action looks at the file once: while a Snapshot lives, the first read checks the
    // file and the others answer from what it found. Writes still read the file afresh.
    class Snapshot {
      public:
        explicit Snapshot(SettingsFile& file) : file_(file) { ++file_.snapshots_; }
        ~Snapshot() {
            if (--file_.snapshots_ == 0) file_.looked_ = false;
        }
        Snapshot(const Snapshot&) = delete;
        Snapshot& operator=(const Snapshot&) = delete;

      private:
        SettingsFile& file_;
    };

  private:
    const IniDocument& Current();
    // Reads the file into the document; false when it exists but cannot be read whole.
    bool Load();
    [[noreturn]] void RaiseUnableToWrite() const;

    FileStore& store_;
    std::string path_;
    IniDocument doc_;
    EncodedText text_;      // the file as last read or written: its form and its ANSI text
    std::string bytes_;     // and its bytes, to tell a change that the stamp may miss
    FileStamp stamp_;
    bool loaded_ = false;   // doc_ holds the file as it is on disk
    bool unreadable_ = false;
    int snapshots_ = 0;    // Snapshot scopes alive
    bool looked_ = false;  // a read inside them has looked at the file
};

// Value forms of integers: decimal with an optional "-", or hexadecimal after "0x"/"0X".
// Anything else, empty text included, is not a number.
bool ParseSettingsInteger(std::string_view text, int32_t& value);

}  // namespace vt
