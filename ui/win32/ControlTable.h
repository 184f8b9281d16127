// Windows laid out in pixels: one table of controls per window, in 96-DPI pixels, made by one
// function at the window's DPI, in the program's font.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace vt::win32 {

struct ControlRow {
    int id;
    const char* className;
    const char* text;
    DWORD style;  // WS_CHILD and WS_VISIBLE are added
    int x, y, width, height;  // at 96 DPI
    DWORD exStyle = 0;
};

// Creates the controls in table order, which is also their tab order, their places and sizes
// scaled to the parent's DPI.
void CreateControls(HWND parent, std::initializer_list<ControlRow> controls);

// The font of every window at its DPI: the system's message font (Tahoma 8 on Windows XP).
HFONT GuiFont(HWND window);
HFONT GuiFontBold(HWND window);

}  // namespace vt::win32
