// Saves what a window shows on the screen as a .bmp beside the test results, for a person to
// look at (the test runner turns them into .png).
#pragma once

#include <windows.h>

#include <string>

namespace vt::testing {

// Saves it as `folder`\`name`.bmp.
inline bool SaveScreenshot(HWND window, const std::string& name,
                           const std::string& folder = "results") {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(250);  // a window of another thread paints in its own time
    RECT area{};
    GetWindowRect(window, &area);
    const int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD size = stride * static_cast<DWORD>(height);
    constexpr DWORD kHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    BITMAPFILEHEADER file{0x4D42, kHeaders + size, 0, 0, kHeaders};
    HANDLE out = CreateFileA((folder + "\\" + name + ".bmp").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = out != INVALID_HANDLE_VALUE &&
                    WriteFile(out, &file, sizeof file, &written, nullptr) &&
                    WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
                    WriteFile(out, bits, size, &written, nullptr);
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

}  // namespace vt::testing
