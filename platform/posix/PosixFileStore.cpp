// POSIX storage: stat stamps, write-then-rename replacement of the link's target, flock on a lock
// file beside it, given up after a while.
#include "platform/posix/PosixFileStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <thread>

#include "base/TextConversion.h"

namespace vt {

namespace {

using Clock = std::chrono::steady_clock;

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

FileStamp StampOf(const struct stat& st) {
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = static_cast<uint64_t>(st.st_size);
    stamp.modified = static_cast<uint64_t>(st.st_mtim.tv_sec) * 1000000000ull +
                     static_cast<uint64_t>(st.st_mtim.tv_nsec);
    stamp.identity = static_cast<uint64_t>(st.st_ino) ^ (static_cast<uint64_t>(st.st_dev) << 32);
    return stamp;
}

bool WriteAll(int fd, const std::string& content) {
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The file a path names, through symbolic links, also one that does not exist yet.
std::string Target(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        char link[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), link, sizeof link - 1);
        if (length < 0) break;  // not a link
        const std::string next(link, static_cast<size_t>(length));
        const size_t slash = path.find_last_of('/');
        path = next.front() == '/' || slash == std::string::npos ? next
                                                                 : path.substr(0, slash + 1) + next;
    }
    return path;
}

// One whole read, or false when the file changed size under it or a read failed.
bool ReadWhole(int fd, std::string& content, FileStamp& stamp) {
    struct stat st {};
    if (fstat(fd, &st) != 0) return false;
    content.clear();
    char buffer[65536];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0) content.append(buffer, static_cast<size_t>(n));
    stamp = StampOf(st);
    return n == 0 && content.size() == stamp.size;
}

}  // namespace

FileStamp PosixFileStore::Stamp(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    return StampOf(st);
}

ReadResult PosixFileStore::Read(const std::string& path, std::string& content, FileStamp& stamp) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(kHoldWaitMs);
    for (;;) {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 && (errno == ENOENT || errno == ENOTDIR)) return ReadResult::Missing;
        if (fd >= 0) {
            struct stat st {};
            if (fstat(fd, &st) == 0 && !S_ISREG(st.st_mode)) {
                close(fd);
                return ReadResult::Missing;  // a folder in the file's place holds no settings
            }
            const bool whole = ReadWhole(fd, content, stamp);
            close(fd);
            if (whole) return ReadResult::Read;
        }
        if (Clock::now() >= deadline) return ReadResult::Unreadable;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

bool PosixFileStore::Replace(const std::string& path, const std::string& content) {
    const std::string target = Target(path);
    struct stat st {};
    const bool exists = stat(target.c_str(), &st) == 0;
    if (exists && !(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))) return false;
    const size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string temp =
        folder + ReplacementFileName(slash == std::string::npos ? target : target.substr(slash + 1));

    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool written = (!exists || fchmod(fd, st.st_mode & 07777) == 0) &&
                         WriteAll(fd, content) && fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    if (!written || !closed || rename(temp.c_str(), target.c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    return true;
}

std::unique_ptr<FileStore::Lock> PosixFileStore::LockForWriting(const std::string& path) {
    const std::string lockPath = Target(path) + ".lock";
    const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    const auto deadline = Clock::now() + std::chrono::milliseconds(lockWaitMs_);
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || Clock::now() >= deadline) {
            close(fd);
            return nullptr;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::make_unique<FdLock>(fd);
}

bool PosixFileStore::AnsiFromWide(std::u16string_view wide, std::string& ansi) {
    return Cp1252FromWide(wide, ansi);
}

std::u16string PosixFileStore::WideFromAnsi(std::string_view ansi) {
    return WideFromCp1252(ansi);
}

bool PosixFileStore::Remove(const std::string& path) {
    return unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool PosixFileStore::Rename(const std::string& from, const std::string& to) {
    // link() refuses an existing name, as the system's rename does on Windows.
    if (link(from.c_str(), to.c_str()) != 0) return false;
    unlink(from.c_str());
    return true;
}

}  // namespace vt
