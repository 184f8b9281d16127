// DPI queries, the message font at a DPI, and children moved to another DPI.
#include "platform/win32/Dpi.h"

#include <cstddef>
#include <map>

#include "platform/win32/Handles.h"
#include "platform/win32/WindowFont.h"

namespace vt::win32 {

namespace {

// The functions of Windows 10 and later, looked up once: older systems have none of them.
template <typename Function>
Function User32(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

UniqueFont MakeMessageFont(UINT dpi, bool bold) {
    NONCLIENTMETRICSW metrics{};
    // The structure's size before Vista, so older systems accept it too.
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, lfMessageFont) + sizeof(LOGFONTW);
    static const auto forDpi = User32<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
    if (!forDpi || !forDpi(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0, dpi)) {
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
        metrics.lfMessageFont.lfHeight = Rescaled(metrics.lfMessageFont.lfHeight, SystemDpi(), dpi);
    }
    if (bold) metrics.lfMessageFont.lfWeight = FW_BOLD;
    return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

}  // namespace

UINT SystemDpi() {
    static const UINT dpi = [] {
        HDC screen = GetDC(nullptr);
        const int logPixels = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return logPixels > 0 ? static_cast<UINT>(logPixels) : kBaseDpi;
    }();
    return dpi;
}

UINT WindowDpi(HWND window) {
    static const auto forWindow = User32<GetDpiForWindowFn>("GetDpiForWindow");
    const UINT dpi = forWindow && window ? forWindow(window) : 0;
    return dpi ? dpi : SystemDpi();
}

int SystemMetric(int index, UINT dpi) {
    static const auto forDpi = User32<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, dpi) : Rescaled(GetSystemMetrics(index), SystemDpi(), dpi);
}

HFONT MessageFont(UINT dpi, bool bold) {
    static std::map<std::pair<UINT, bool>, UniqueFont> fonts;
    UniqueFont& font = fonts[{dpi, bold}];
    if (!font) font = MakeMessageFont(dpi, bold);
    return font.Get();
}

void RescaleChildren(HWND parent, UINT from, UINT to) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, kDpiChanging, to, 0);
        const HFONT font = WindowFont(child);
        if (font && (font == MessageFont(from) || font == MessageFont(from, true)))
            SetWindowFont(child, MessageFont(to, font == MessageFont(from, true)));
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
        MoveWindow(child, Rescaled(place.left, from, to), Rescaled(place.top, from, to),
                   Rescaled(place.right - place.left, from, to),
                   Rescaled(place.bottom - place.top, from, to), TRUE);
    }
}

}  // namespace vt::win32
