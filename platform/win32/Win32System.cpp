// GetVersionExA, GetModuleFileNameA, GetCommandLineA, the process token's rights, and new GUIDs
// from COM.
#include "platform/win32/Win32System.h"

#include <windows.h>
#include <objbase.h>

#include "base/Error.h"
#include "platform/win32/Handles.h"

namespace vt::win32 {

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

}  // namespace vt::win32
