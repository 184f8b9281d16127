// GetVersionExA, GetModuleFileNameA, GetCommandLineA, and new GUIDs from COM.
#include "platform/win32/Win32System.h"

#include <windows.h>
#include <objbase.h>

#include "base/Error.h"

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

}  // namespace vt::win32
