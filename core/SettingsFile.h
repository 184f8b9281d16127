// The settings file object: typed reads with defaults and immediate, atomic, serialised writes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/IniDocument.h"
#include "platform/FileStore.h"

namespace vt {

// Every operation first checks the file on disk and reloads it when anyone changed it, so an
// edit made elsewhere is never overwritten. Every write replaces the file as a whole under a
// lock shared with other processes. Reads never fail; a refused write raises
// "Unable to write to <full path>" and leaves the file on disk as it was.
class SettingsFile {
  public:
    SettingsFile(FileStore& store, std::string path);

    const std::string& Path() const { return path_; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue);
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue);
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue);
    std::vector<std::string> ReadSection(std::string_view section);  // the keys, in file order
    bool ValueExists(std::string_view section, std::string_view key);

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

      private:
        friend class SettingsFile;
        Batch(IniDocument& doc, const std::string& path) : doc_(doc), path_(path) {}
        IniDocument& doc_;
        const std::string& path_;
        bool changed_ = false;
    };
    void Update(const std::function<void(Batch&)>& edit);

  private:
    const IniDocument& Current();
    void Reload(const FileStamp& stamp);
    [[noreturn]] void RaiseUnableToWrite() const;

    FileStore& store_;
    std::string path_;
    IniDocument doc_;
    FileStamp stamp_;
    bool loaded_ = false;
};

// Value forms of integers: decimal with an optional "-", or hexadecimal after "0x"/"0X".
// Anything else, empty text included, is not a number.
bool ParseSettingsInteger(std::string_view text, int32_t& value);

}  // namespace vt
