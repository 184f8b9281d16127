// Prints what Windows reads from an exe's resources: the version information, as Explorer's file
// properties show it, and what the manifest asks for. The release check compares this with what
// it expects, for exes of either architecture.
// Usage: vt_print_version EXE...
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string StringValue(const std::vector<char>& info, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
        !value)
        return "(none)";
    return value;
}

void PrintVersionInformation(const char* exe) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(exe, &ignored);
    std::vector<char> info(size);
    if (!size || !GetFileVersionInfoA(exe, 0, size, info.data())) {
        std::printf("version: none\n");
        return;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed)
        std::printf("FileVersionNumber=%u.%u.%u.%u\n", HIWORD(fixed->dwFileVersionMS),
                    LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                    LOWORD(fixed->dwFileVersionLS));
    for (const char* name : {"FileDescription", "FileVersion", "OriginalFilename", "ProductName",
                             "ProductVersion"})
        std::printf("%s=%s\n", name, StringValue(info, name).c_str());
}

void PrintManifest(const char* exe) {
    HMODULE module = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = module ? FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : nullptr;
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!bytes) {
        std::printf("manifest: none\n");
    } else {
        const std::string text(bytes, SizeofResource(module, found));
        const bool controls6 = text.find("\"Microsoft.Windows.Common-Controls\"") != std::string::npos &&
                               text.find("version=\"6.0.0.0\"") != std::string::npos;
        std::printf("manifest asks for common controls 6: %s\n", controls6 ? "yes" : "no");
        std::printf("manifest asks to run as the invoker: %s\n",
                    text.find("level=\"asInvoker\"") != std::string::npos ? "yes" : "no");
        int systems = 0;
        for (size_t at = text.find("<supportedOS "); at != std::string::npos;
             at = text.find("<supportedOS ", at + 1))
            ++systems;
        std::printf("manifest declares supported systems: %d\n", systems);
    }
    if (module) FreeLibrary(module);
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::printf("%s\n", argv[i]);
        PrintVersionInformation(argv[i]);
        PrintManifest(argv[i]);
    }
    return argc > 1 ? 0 : 2;
}
