// A stand-in for the Explorer extension "contmenu.dll": its two COM server exports leave a file
// beside the library saying that they were called.
#include <windows.h>

namespace {

void Mark(const char* name) {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&Mark), &self);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    char* slash = path;
    for (char* c = path; *c; ++c)
        if (*c == '\\') slash = c + 1;
    lstrcpyA(slash, name);
    CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

}  // namespace

extern "C" HRESULT __stdcall DllRegisterServer() {
    Mark("registered.txt");
    return S_OK;
}

extern "C" HRESULT __stdcall DllUnregisterServer() {
    Mark("unregistered.txt");
    return S_OK;
}
