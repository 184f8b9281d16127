// Windows storage for the settings file.
#include "platform/win32/Win32FileStore.h"

#include <atomic>

#include "base/AnsiText.h"
#include "platform/win32/Handles.h"

namespace vt::win32 {

namespace {

constexpr DWORD kLockWaitMs = 10000;

uint64_t Join(DWORD high, DWORD low) {
    return (static_cast<uint64_t>(high) << 32) | low;
}

class MutexLock : public FileStore::Lock {
  public:
    explicit MutexLock(UniqueHandle mutex) : mutex_(std::move(mutex)) {}
    ~MutexLock() override { ReleaseMutex(mutex_.Get()); }

  private:
    UniqueHandle mutex_;
};

// One name per settings file, whatever letter case or process spells its path.
std::string MutexNameFor(const std::string& path) {
    uint32_t hash = 2166136261u;
    for (char c : FoldCase(path)) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    char name[64];
    wsprintfA(name, "VelmoraTarvello.Settings.%08lX", static_cast<unsigned long>(hash));
    return name;
}

}  // namespace

FileStamp Win32FileStore::Stamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return {};
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {};
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = Join(data.nFileSizeHigh, data.nFileSizeLow);
    stamp.modified = Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    stamp.identity = Join(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime);
    return stamp;
}

bool Win32FileStore::Read(const std::string& path, std::string& content) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    content.clear();
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    return true;
}

bool Win32FileStore::Replace(const std::string& path, const std::string& content) {
    // A read-only file refuses writes; replacing it would quietly override the user's choice.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    static std::atomic<unsigned> counter{0};
    char suffix[48];
    wsprintfA(suffix, ".~%lu.%u", GetCurrentProcessId(), ++counter);
    const std::string temp = path + suffix;
    {
        UniqueFile file(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        DWORD written = 0;
        const bool ok =
            (content.empty() || WriteFile(file.Get(), content.data(),
                                          static_cast<DWORD>(content.size()), &written, nullptr)) &&
            written == content.size() && FlushFileBuffers(file.Get());
        if (!ok) {
            file.Reset();
            DeleteFileA(temp.c_str());
            return false;
        }
    }
    if (!MoveFileExA(temp.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp.c_str());
        return false;
    }
    return true;
}

std::unique_ptr<FileStore::Lock> Win32FileStore::LockForWriting(const std::string& path) {
    UniqueHandle mutex(CreateMutexA(nullptr, FALSE, MutexNameFor(path).c_str()));
    if (!mutex) return nullptr;
    const DWORD waited = WaitForSingleObject(mutex.Get(), kLockWaitMs);
    // An abandoned mutex means its last writer died; the file itself is whole either way.
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return nullptr;
    return std::make_unique<MutexLock>(std::move(mutex));
}

}  // namespace vt::win32
