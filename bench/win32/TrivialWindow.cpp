// The yardstick for a window's start-up under Wine: one plain top-level window, shown and painted,
// living until it is closed.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    HWND window = CreateWindowExA(0, "STATIC", "trivial", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 800, 580, nullptr, nullptr, nullptr, nullptr);
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
