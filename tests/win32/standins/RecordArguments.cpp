// Stands in for the program beside the Explorer extension: writes the arguments it was started
// with to "arguments.txt" in its own folder (whole, by one rename), then ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    char folder[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, folder, MAX_PATH);
    *(strrchr(folder, '\\') + 1) = '\0';
    char temp[MAX_PATH], final[MAX_PATH];
    wsprintfA(temp, "%sarguments.tmp", folder);
    wsprintfA(final, "%sarguments.txt", folder);
    HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, arguments, lstrlenA(arguments), &written, nullptr);
    CloseHandle(file);
    return MoveFileExA(temp, final, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
