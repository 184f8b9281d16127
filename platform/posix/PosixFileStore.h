// The settings file's storage on a POSIX host, so the engine is proved on real files by the native
// tests and tools.
#pragma once

#include "platform/FileStore.h"

namespace vt {

class PosixFileStore : public FileStore {
  public:
    explicit PosixFileStore(uint32_t lockWaitMs = 10000) : lockWaitMs_(lockWaitMs) {}

    FileStamp Stamp(const std::string& path) override;
    ReadResult Read(const std::string& path, std::string& content, FileStamp& stamp) override;
    // A file without write permission refuses, as a read-only file does on Windows; a symbolic
    // link's target is replaced, the link stays.
    bool Replace(const std::string& path, const std::string& content) override;
    bool Remove(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;
    std::unique_ptr<Lock> LockForWriting(const std::string& path) override;
    bool AnsiFromWide(std::u16string_view wide, std::string& ansi) override;
    std::u16string WideFromAnsi(std::string_view ansi) override;

  private:
    uint32_t lockWaitMs_;
};

}  // namespace vt
