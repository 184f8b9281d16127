// POSIX storage: stat stamps, write-then-rename replacement, flock on a lock file beside the
// settings file.
#include "platform/posix/PosixFileStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace vt {

namespace {

class FdLock : public FileStore::Lock {
  public:
    explicit FdLock(int fd) : fd_(fd) {}
    ~FdLock() override {
        flock(fd_, LOCK_UN);
        close(fd_);
    }

  private:
    int fd_;
};

bool WriteAll(int fd, const std::string& content) {
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

FileStamp PosixFileStore::Stamp(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return {};
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = static_cast<uint64_t>(st.st_size);
    stamp.modified = static_cast<uint64_t>(st.st_mtim.tv_sec) * 1000000000ull +
                     static_cast<uint64_t>(st.st_mtim.tv_nsec);
    stamp.identity = static_cast<uint64_t>(st.st_ino) ^ (static_cast<uint64_t>(st.st_dev) << 32);
    return stamp;
}

bool PosixFileStore::Read(const std::string& path, std::string& content) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    content.clear();
    char buffer[65536];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0)
        content.append(buffer, static_cast<size_t>(n));
    close(fd);
    return n == 0;
}

bool PosixFileStore::Replace(const std::string& path, const std::string& content) {
    static std::atomic<unsigned> counter{0};
    const std::string temp =
        path + ".~" + std::to_string(getpid()) + "." + std::to_string(++counter);
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool written = WriteAll(fd, content) && fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    if (!written || !closed || rename(temp.c_str(), path.c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    return true;
}

std::unique_ptr<FileStore::Lock> PosixFileStore::LockForWriting(const std::string& path) {
    const std::string lockPath = path + ".lock";
    const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    if (flock(fd, LOCK_EX) != 0) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<FdLock>(fd);
}

}  // namespace vt
