// Windows storage for the settings file.
#include "platform/win32/Win32FileStore.h"

#include <windows.h>
#include <sddl.h>

#include <algorithm>

#include "base/AnsiText.h"
#include "platform/win32/Handles.h"

namespace vt::win32 {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kRetryMs = 50;

uint64_t Join(DWORD high, DWORD low) {
    return (static_cast<uint64_t>(high) << 32) | low;
}

uint32_t HashOf(std::string_view text) {
    uint32_t hash = 2166136261u;
    for (char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

// Errors that end by themselves when another program lets go of the file: a sharing or lock
// violation, a rename over a file that is still open.
bool IsBriefHold(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

// Repeats `attempt` while it fails with a brief hold, for at most the hold wait.
template <typename Attempt>
bool WhileHeld(Attempt attempt) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (attempt()) return true;
        if (!IsBriefHold(GetLastError()) || GetTickCount() - start >= FileStore::kHoldWaitMs)
            return false;
        Sleep(kRetryMs);
    }
}

// A folder is no file: no stamp.
FileStamp MakeStamp(DWORD attributes, DWORD sizeHigh, DWORD sizeLow, const FILETIME& written,
                    uint64_t identity) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return {};
    return FileStamp{true, Join(sizeHigh, sizeLow),
                     Join(written.dwHighDateTime, written.dwLowDateTime), identity};
}

FileStamp StampOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return MakeStamp(info.dwFileAttributes, info.nFileSizeHigh, info.nFileSizeLow,
                     info.ftLastWriteTime,
                     Join(info.nFileIndexHigh, info.nFileIndexLow) ^
                         (static_cast<uint64_t>(info.dwVolumeSerialNumber) << 24));
}

// Where the file cannot be opened even for its attributes: what the directory entry says.
FileStamp StampFromAttributes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return {};
    return MakeStamp(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow,
                     data.ftLastWriteTime,
                     Join(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime));
}

// Reads exactly as many bytes as the file holds; false on a failed or a short read, a file larger
// than the limits take, or one still being read when `outOfTime` says so.
template <typename OutOfTime>
bool ReadWhole(HANDLE file, std::string& content, FileStamp& stamp, uint64_t largest,
               OutOfTime outOfTime) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) return false;
    stamp = StampOf(info);
    if (stamp.size > largest) return false;
    content.assign(static_cast<size_t>(stamp.size), '\0');
    size_t total = 0;
    while (total < content.size()) {
        if (outOfTime()) return false;
        DWORD got = 0;
        const DWORD ask = static_cast<DWORD>(std::min<size_t>(content.size() - total, 1 << 20));
        if (!ReadFile(file, content.data() + total, ask, &got, nullptr)) return false;
        if (got == 0) return false;  // the file ended before its size
        total += got;
    }
    return true;
}

// Gives `to` the owner, group and access list of `from`, as far as this user may set them.
void CopySecurity(const std::string& from, const std::string& to) {
    constexpr SECURITY_INFORMATION kAll =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD needed = 0;
    GetFileSecurityA(from.c_str(), kAll, nullptr, 0, &needed);
    if (needed == 0) return;
    std::string descriptor(needed, '\0');
    if (!GetFileSecurityA(from.c_str(), kAll, descriptor.data(), needed, &needed)) return;
    // Only an administrator may give a file another owner: the access list is what matters.
    if (!SetFileSecurityA(to.c_str(), kAll, descriptor.data()))
        SetFileSecurityA(to.c_str(), DACL_SECURITY_INFORMATION, descriptor.data());
}

std::string FullPathOf(const std::string& path) {
    char buffer[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : path;
}

class MutexLock : public FileStore::Lock {
  public:
    explicit MutexLock(UniqueHandle mutex) : mutex_(std::move(mutex)) {}
    ~MutexLock() override { ReleaseMutex(mutex_.Get()); }

  private:
    UniqueHandle mutex_;
};

// A writer needs no more than to wait on the mutex and release it. An existing mutex is opened
// for just that: CreateMutex would ask for every right, which only an administrator is given, and
// a copy refused there would write beside the others unserialised.
constexpr DWORD kWriterRights = SYNCHRONIZE | MUTEX_MODIFY_STATE;

UniqueHandle OpenOrCreateMutex(const std::string& name, SECURITY_ATTRIBUTES& attributes) {
    // Twice round at most: another copy may make the mutex between our look and our making.
    for (int round = 0; round < 2; ++round) {
        UniqueHandle mutex(OpenMutexA(kWriterRights, FALSE, name.c_str()));
        if (mutex || GetLastError() != ERROR_FILE_NOT_FOUND) return mutex;
        mutex.Reset(CreateMutexA(&attributes, FALSE, name.c_str()));
        if (mutex || GetLastError() != ERROR_ACCESS_DENIED) return mutex;
    }
    return {};
}

}  // namespace

// Every user may wait on and release the writers' mutex, whichever process made it.
UniqueHandle Win32FileStore::OpenWritersMutex(const std::string& name) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorA(kWritersMutexSecurity, SDDL_REVISION_1,
                                                         &descriptor, nullptr);
    const UniqueLocalMemory owned(descriptor);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    // The session-independent namespace serialises users of every session; where the system
    // refuses it, the session's own namespace still serialises this session.
    UniqueHandle mutex = OpenOrCreateMutex("Global\\" + name, attributes);
    if (!mutex) mutex = OpenOrCreateMutex(name, attributes);
    return mutex;
}

FileStamp Win32FileStore::Stamp(const std::string& path) {
    // Opening for no access at all never meets another program's sharing mode.
    UniqueFile file(CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (file && GetFileInformationByHandle(file.Get(), &info)) return StampOf(info);
    return StampFromAttributes(path);
}

ReadResult Win32FileStore::Read(const std::string& path, std::string& content, FileStamp& stamp) {
    const DWORD start = GetTickCount();
    const auto outOfTime = [&] {
        return limits_.patienceMs != 0 && GetTickCount() - start >= limits_.patienceMs;
    };
    for (;;) {
        UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (file && ReadWhole(file.Get(), content, stamp, limits_.largestFile, outOfTime))
            return stamp.exists ? ReadResult::Read : ReadResult::Missing;
        // Larger than the limits take: no wait makes it smaller.
        if (file && stamp.exists && stamp.size > limits_.largestFile) {
            content.clear();
            return ReadResult::Unreadable;
        }
        if (!file) {
            const DWORD error = GetLastError();
            const DWORD attributes = GetFileAttributesA(path.c_str());
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)))
                return ReadResult::Missing;
        }
        // Held by another program, locked in part, or changing under the read: try again.
        if (GetTickCount() - start >= holdWaitMs_ || outOfTime()) {
            content.clear();
            return ReadResult::Unreadable;
        }
        Sleep(kRetryMs);
    }
}

bool Win32FileStore::Replace(const std::string& path, const std::string& content) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // A read-only file refuses writes, as it does for the system's own writer.
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return false;

    const std::string full = FullPathOf(path);
    const size_t slash = full.find_last_of("\\/");
    const std::string temp =
        full.substr(0, slash + 1) + ReplacementFileName(FoldCase(full.substr(slash + 1)));
    SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_NORMAL);  // a leftover of a killed writer
    const auto discard = [&] {
        SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(temp.c_str());
        return false;
    };
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
            return discard();
        }
    }
    // The new file takes the old one's security and attributes before it takes its place, so
    // that the file is at every instant either the old one or the new one, both complete.
    if (exists) {
        CopySecurity(full, temp);
        constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        SetFileAttributesA(temp.c_str(),
                           (attributes & kKept) ? attributes & kKept : FILE_ATTRIBUTE_NORMAL);
    }
    // One rename over the old file. A reader that holds the old file open makes it wait.
    const bool replaced = WhileHeld([&] {
        return MoveFileExA(temp.c_str(), full.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    });
    return replaced || discard();
}

bool Win32FileStore::Remove(const std::string& path) {
    if (DeleteFileA(path.c_str())) return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool Win32FileStore::Rename(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
}

std::string Win32FileStore::LockNameFor(const std::string& path) {
    const std::string full = FullPathOf(path);
    const size_t slash = full.find_last_of("\\/");
    std::string name = full.substr(slash + 1);
    // The file's own name as the folder lists it, also when `path` used its short form.
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(full.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        name = found.cFileName;
        FindClose(search);
    }
    // The folder by its identity: the file's own index changes with every replacement, the
    // folder's never does, whatever path reaches it.
    UniqueFile folder(CreateFileA(full.substr(0, slash + 1).c_str(), 0, kShareAll, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    char text[96];
    if (folder && GetFileInformationByHandle(folder.Get(), &info))
        wsprintfA(text, "VelmoraTarvello.Settings.%08lX.%08lX%08lX.%08lX",
                  info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow,
                  static_cast<unsigned long>(HashOf(FoldCase(name))));
    else
        wsprintfA(text, "VelmoraTarvello.Settings.%08lX",
                  static_cast<unsigned long>(HashOf(FoldCase(full))));
    return text;
}

std::unique_ptr<FileStore::Lock> Win32FileStore::LockForWriting(const std::string& path) {
    UniqueHandle mutex = OpenWritersMutex(LockNameFor(path));
    if (!mutex) return nullptr;
    const DWORD waited = WaitForSingleObject(mutex.Get(), lockWaitMs_);
    // An abandoned mutex means its last writer died; the file itself is whole either way.
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return nullptr;
    return std::make_unique<MutexLock>(std::move(mutex));
}

bool Win32FileStore::AnsiFromWide(std::u16string_view wide, std::string& ansi) {
    ansi.clear();
    if (wide.empty()) return true;
    const auto* source = reinterpret_cast<const wchar_t*>(wide.data());
    const int length = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, source, length, nullptr, 0, nullptr, nullptr);
    ansi.resize(static_cast<size_t>(size));
    WideCharToMultiByte(CP_ACP, 0, source, length, ansi.data(), size, nullptr, nullptr);
    // Exact only when the way back gives the same characters: best-fit mappings are not.
    return WideFromAnsi(ansi) == wide;
}

std::u16string Win32FileStore::WideFromAnsi(std::string_view ansi) {
    if (ansi.empty()) return {};
    const int length = static_cast<int>(ansi.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    std::u16string wide(static_cast<size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, reinterpret_cast<wchar_t*>(wide.data()),
                        size);
    return wide;
}

}  // namespace vt::win32
