// The yardstick for a window's start-up under Wine: one plain top-level window, shown and painted,
// living until it is closed. With "libraries" on its command line it first loads the system
// libraries the program uses, to tell their memory from the program's own; with "exit" it ends
// once its window is made, never shown, as apply mode does.
#include <windows.h>

#include <cstring>
#include <initializer_list>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int showCommand) {
    if (std::strstr(commandLine, "libraries")) {
        for (const char* name : {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "iphlpapi.dll",
                                 "ole32.dll", "setupapi.dll", "shell32.dll"})
            LoadLibraryA(name);
    }
    HWND window = CreateWindowExA(0, "STATIC", "trivial", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 800, 580, nullptr, nullptr, nullptr, nullptr);
    if (std::strstr(commandLine, "exit")) return DestroyWindow(window) ? 0 : 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (IsWindow(window) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_CLOSE || (message.hwnd == window && message.message == WM_QUIT))
            break;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
