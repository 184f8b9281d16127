// The seam for the settings file's storage: whole-file reads, change stamps, atomic replacement, a
// writers' lock.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vt {

// What identifies one version of a file on disk; any write by anyone gives a different stamp.
struct FileStamp {
    bool exists = false;
    uint64_t size = 0;
    uint64_t modified = 0;
    uint64_t identity = 0;  // changes when the file is replaced (inode, creation time)
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class FileStore {
  public:
    class Lock {
      public:
        virtual ~Lock() = default;
    };

    virtual ~FileStore() = default;

    virtual FileStamp Stamp(const std::string& path) = 0;

    // The file's bytes; false when it does not exist or cannot be read.
    virtual bool Read(const std::string& path, std::string& content) = 0;

    // Writes the bytes to a new file beside `path` and puts it in place of `path` in one step,
    // so readers see the old file or the new one, never a part. False when the system refuses;
    // then `path` is as it was.
    virtual bool Replace(const std::string& path, const std::string& content) = 0;

    // Serialises writers of `path` across processes; null when the lock cannot be had in time.
    virtual std::unique_ptr<Lock> LockForWriting(const std::string& path) = 0;
};

}  // namespace vt
