// The yardstick for a GUI program's start-up under Wine: one hidden window, created and destroyed.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    DestroyWindow(window);
    return 0;
}
