// The settings file's storage on Windows: attribute stamps, write-through replacement, a named
// mutex for writers.
#pragma once

#include "platform/FileStore.h"

namespace vt::win32 {

class Win32FileStore : public FileStore {
  public:
    FileStamp Stamp(const std::string& path) override;
    bool Read(const std::string& path, std::string& content) override;
    bool Replace(const std::string& path, const std::string& content) override;
    std::unique_ptr<Lock> LockForWriting(const std::string& path) override;
};

}  // namespace vt::win32
