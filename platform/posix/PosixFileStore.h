// The settings file's storage on a POSIX host, so the engine is proved on real files by the native
// tests and tools.
#pragma once

#include "platform/FileStore.h"

namespace vt {

class PosixFileStore : public FileStore {
  public:
    FileStamp Stamp(const std::string& path) override;
    bool Read(const std::string& path, std::string& content) override;
    bool Replace(const std::string& path, const std::string& content) override;
    std::unique_ptr<Lock> LockForWriting(const std::string& path) override;
};

}  // namespace vt
