// In-memory file storage that counts operations and can be told to refuse the lock, the
// replacement or reads, to cut reads short, or to change a file without changing its stamp.
#pragma once

#include <map>
#include <string>

#include "base/TextConversion.h"
#include "platform/FileStore.h"

namespace vt::fakes {

class FakeFileStore : public FileStore {
  public:
    bool refuseLock = false;
    bool refuseReplace = false;
    int unreadableReads = 0;  // the next reads fail, as while another program holds the file
    size_t cutReadsBy = 0;    // reads end this many bytes early
    int reads = 0;
    int replaces = 0;
    int looks = 0;  // stamp checks asked for by the reader

    FileStamp Stamp(const std::string& path) override {
        ++looks;
        return StampOf(path);
    }
    FileStamp StampOf(const std::string& path) const {
        const auto it = files_.find(path);
        if (it == files_.end()) return {};
        return FileStamp{true, it->second.stampSize, it->second.version, 0};
    }
    ReadResult Read(const std::string& path, std::string& content, FileStamp& stamp) override {
        ++reads;
        const auto it = files_.find(path);
        if (it == files_.end()) return ReadResult::Missing;
        if (unreadableReads > 0) {
            --unreadableReads;
            return ReadResult::Unreadable;
        }
        const std::string& stored = it->second.content;
        content = stored.substr(0, stored.size() - std::min(cutReadsBy, stored.size()));
        stamp = StampOf(path);
        return ReadResult::Read;
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
    bool AnsiFromWide(std::u16string_view wide, std::string& ansi) override {
        return Cp1252FromWide(wide, ansi);
    }
    std::u16string WideFromAnsi(std::string_view ansi) override { return WideFromCp1252(ansi); }

    // What another process or a person editing the file by hand would do.
    void Put(const std::string& path, const std::string& content) {
        File& file = files_[path];
        file.content = content;
        file.stampSize = content.size();
        file.version = ++clock_;
    }
    // An edit in place of the same size within one tick of the clock: the stamp stays.
    void PutKeepingStamp(const std::string& path, const std::string& content) {
        files_[path].content = content;
    }
    bool Exists(const std::string& path) const { return files_.count(path) != 0; }
    bool refuseRemove = false;
    bool Remove(const std::string& path) override {
        if (refuseRemove && Exists(path)) return false;
        files_.erase(path);
        return true;
    }
    bool Rename(const std::string& from, const std::string& to) override {
        if (!Exists(from) || Exists(to)) return false;
        files_[to] = files_[from];
        files_.erase(from);
        return true;
    }
    const std::string& Content(const std::string& path) { return files_[path].content; }

  private:
    struct File {
        std::string content;
        uint64_t stampSize = 0;
        uint64_t version = 0;
    };
    std::map<std::string, File> files_;
    uint64_t clock_ = 0;
};

}  // namespace vt::fakes
