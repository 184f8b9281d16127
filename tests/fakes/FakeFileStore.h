// In-memory file storage that counts operations and can be told to refuse the lock or the
// replacement.
#pragma once

#include <map>
#include <string>

#include "platform/FileStore.h"

namespace vt::fakes {

class FakeFileStore : public FileStore {
  public:
    bool refuseLock = false;
    bool refuseReplace = false;
    int reads = 0;
    int replaces = 0;

    FileStamp Stamp(const std::string& path) override {
        const auto it = files_.find(path);
        if (it == files_.end()) return {};
        return FileStamp{true, it->second.content.size(), it->second.version, 0};
    }
    bool Read(const std::string& path, std::string& content) override {
        ++reads;
        const auto it = files_.find(path);
        if (it == files_.end()) return false;
        content = it->second.content;
        return true;
    }
    bool Replace(const std::string& path, const std::string& content) override {
        if (refuseReplace) return false;
        ++replaces;
        Put(path, content);
        return true;
    }
    std::unique_ptr<Lock> LockForWriting(const std::string&) override {
        if (refuseLock) return nullptr;
        return std::make_unique<Lock>();
    }

    // What another process or a person editing the file by hand would do.
    void Put(const std::string& path, const std::string& content) {
        File& file = files_[path];
        file.content = content;
        file.version = ++clock_;
    }
    bool Exists(const std::string& path) const { return files_.count(path) != 0; }
    const std::string& Content(const std::string& path) { return files_[path].content; }

  private:
    struct File {
        std::string content;
        uint64_t version = 0;
    };
    std::map<std::string, File> files_;
    uint64_t clock_ = 0;
};

}  // namespace vt::fakes
