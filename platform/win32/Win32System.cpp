// GetVersionExA, GetModuleFileNameA, GetCommandLineA, the process token's rights, and new GUIDs
// from COM.
#include "platform/win32/Win32System.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

#include "base/Error.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32FileStore.h"

namespace vt::win32 {

namespace {

// One character of the ANSI code page folded as the system compares names: converted as its
// functions convert (a sequence that is no character becomes the default character), in upper
// case (CharUpperBuffW, which leaves the Turkish dotless letters alone), and back; the character
// itself where that has no character of as many bytes in the code page.
std::string FoldCharacter(std::string_view character) {
    wchar_t wide[4] = {};
    const int length = MultiByteToWideChar(CP_ACP, 0, character.data(),
                                           static_cast<int>(character.size()), wide, 4);
    if (length < 1 || length > 2) return std::string(character);
    wchar_t folded[4] = {};
    std::copy(wide, wide + length, folded);
    CharUpperBuffW(folded, static_cast<DWORD>(length));
    char back[8] = {};
    const int size = WideCharToMultiByte(CP_ACP, 0, folded, length, back, sizeof back, nullptr,
                                         nullptr);
    wchar_t again[4] = {};
    // Only a character that comes back as itself: no best fit, no default character.
    if (size != static_cast<int>(character.size()) ||
        MultiByteToWideChar(CP_ACP, 0, back, size, again, 4) != length ||
        !std::equal(folded, folded + length, again))
        return std::string(character);
    return std::string(back, static_cast<size_t>(size));
}

}  // namespace

OsVersionInfo Win32System::QueryVersion() {
    OSVERSIONINFOA info{};
    static_assert(sizeof info == 148, "the ANSI version record");
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info)) return {};
#pragma GCC diagnostic pop
    return OsVersionInfo{true, info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
                         info.szCSDVersion};
}

std::string Win32System::ExecutablePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string Win32System::CommandLine() {
    return GetCommandLineA();
}

void Win32System::TraceStartup(const char* step) {
    if (tracing_ < 0) tracing_ = GetEnvironmentVariableA("VT_STARTUP_TRACE", nullptr, 0) > 0;
    if (!tracing_) return;
    LARGE_INTEGER now{}, frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    const double counterMs = 1000.0 * static_cast<double>(now.QuadPart) /
                             static_cast<double>(frequency.QuadPart);
    if (startMs_ == 0) {  // the first step: how long the process ran before it, from the clock
        FILETIME created{}, unused{}, clock{};
        GetProcessTimes(GetCurrentProcess(), &created, &unused, &unused, &unused);
        GetSystemTimeAsFileTime(&clock);
        const auto ticks = [](const FILETIME& time) {
            return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
        };
        startMs_ = counterMs - static_cast<double>(ticks(clock) - ticks(created)) / 10000.0;
    }
    const double ms = counterMs - startMs_;
    char line[160];
    wsprintfA(line, "VelmoraTarvello start-up: %6d ms (+%5d)  %s\n", static_cast<int>(ms),
              static_cast<int>(ms - lastMs_), step);
    lastMs_ = ms;
    OutputDebugStringA(line);
}

std::string Win32System::NewGuid() {
    GUID guid{};
    if (FAILED(CoCreateGuid(&guid))) throw Error("CoCreateGuid failed");
    LPOLESTR wide = nullptr;
    if (FAILED(StringFromCLSID(guid, &wide))) throw Error("StringFromCLSID failed");
    char text[64] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    CoTaskMemFree(wide);
    return text;
}

int64_t Win32System::SecondsNow() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const uint64_t ticks = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr uint64_t kTicksFrom1601To1970 = 116444736000000000ull;
    return static_cast<int64_t>((ticks - kTicksFrom1601To1970) / 10000000);
}

namespace {

class MutexApplyLock : public ApplyLock {
  public:
    explicit MutexApplyLock(UniqueHandle mutex) : mutex_(std::move(mutex)) {}
    ~MutexApplyLock() override { ReleaseMutex(mutex_.Get()); }

  private:
    UniqueHandle mutex_;
};

}  // namespace

std::unique_ptr<ApplyLock> Win32System::TakeApplyLock() {
    // Every user's copies share it, as the writers' lock of the settings file; a copy that was
    // killed leaves it abandoned, which the next one takes.
    UniqueHandle mutex = Win32FileStore::OpenWritersMutex("VelmoraTarvello.Apply");
    if (!mutex) return std::make_unique<ApplyLock>();  // no lock to be had: nothing to wait for
    const DWORD waited = WaitForSingleObject(mutex.Get(), 0);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return nullptr;
    return std::make_unique<MutexApplyLock>(std::move(mutex));
}

bool Win32System::CanShowWindows() {
    USEROBJECTFLAGS flags{};
    DWORD needed = 0;
    // Not known: asked as by a person, as before.
    if (!GetUserObjectInformationA(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags,
                                   &needed))
        return true;
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}

bool Win32System::HasAdministratorRights() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    const UniqueHandle owned(token);
    // Vista and later tell whether the token is elevated; before, an administrator has the rights.
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    if (GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size))
        return elevation.TokenIsElevated != 0;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0,
                                  0, 0, 0, 0, 0, &administrators))
        return false;
    BOOL member = FALSE;
    if (!CheckTokenMembership(nullptr, administrators, &member)) member = FALSE;
    FreeSid(administrators);
    return member != FALSE;
}

AnsiCodePage Win32System::AnsiCodePageRules() {
    const UINT codePage = GetACP();
    AnsiCodePage page;
    for (int i = 0; i < 256; ++i) {
        const auto byte = static_cast<unsigned char>(i);
        page.fold[i] = byte;
        page.length[i] = 1;
        if (codePage == CP_UTF8) {  // "Use Unicode UTF-8" on Windows 10 and later
            page.length[i] = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
            if (byte >= 0x80) continue;
        } else if (IsDBCSLeadByteEx(codePage, byte)) {
            page.length[i] = 2;
            continue;
        }
        const char character = static_cast<char>(byte);
        const std::string folded = FoldCharacter(std::string_view(&character, 1));
        page.fold[i] = static_cast<unsigned char>(folded[0]);
    }
    if (page.HasLongCharacters()) {
        // Each character asks the system once.
        struct Cache {
            std::mutex lock;
            std::map<std::string, std::string, std::less<>> folded;
        };
        auto cache = std::make_shared<Cache>();
        page.foldLong = [cache](std::string_view character) {
            const std::lock_guard<std::mutex> held(cache->lock);
            const auto found = cache->folded.find(character);
            if (found != cache->folded.end()) return found->second;
            return cache->folded.emplace(std::string(character), FoldCharacter(character))
                .first->second;
        };
    }
    return page;
}

}  // namespace vt::win32
