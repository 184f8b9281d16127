// The display scale of a window: its DPI, and the windows' 96-DPI pixel numbers at that DPI.
#pragma once

#include <windows.h>

namespace vt::win32 {

inline constexpr UINT kBaseDpi = 96;
inline constexpr UINT kWmDpiChanged = 0x02E0;  // WM_DPICHANGED, of Windows 8.1 and later

// Told to each control that a window moves to another DPI, before the control is moved:
// wParam is the new DPI. Controls that scale themselves (the address field) keep it.
inline constexpr UINT kDpiChanging = WM_APP + 50;

// The DPI the system shows the window at: the window's monitor's where the system tells it
// (Windows 10 and later), the system's where it does not.
UINT WindowDpi(HWND window);
UINT SystemDpi();

// A 96-DPI number of pixels at the DPI.
inline int Scaled(int pixels, UINT dpi) {
    return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}
// A size taken at one DPI, at another.
inline int Rescaled(int pixels, UINT from, UINT to) {
    return MulDiv(pixels, static_cast<int>(to), static_cast<int>(from));
}

// A system metric (the small icon's size, say) at the DPI.
int SystemMetric(int index, UINT dpi);

// The system's message font at the DPI, normal or bold: one of each per DPI, for the process.
HFONT MessageFont(UINT dpi, bool bold = false);

// Moves and resizes the window's child windows, and gives them the message font, from one DPI to
// the other; each is told first (kDpiChanging).
void RescaleChildren(HWND parent, UINT from, UINT to);

}  // namespace vt::win32
