// Windows laid out in pixels: one table of controls per window, made by one function in the
// program's font.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace vt::win32 {

struct ControlRow {
    int id;
    const char* className;
    const char* text;
    DWORD style;  // WS_CHILD and WS_VISIBLE are added
    int x, y, width, height;
    DWORD exStyle = 0;
};

// Creates the controls in table order, which is also their tab order.
void CreateControls(HWND parent, std::initializer_list<ControlRow> controls);

// The font of every window: the system's message font (Tahoma 8 on Windows XP).
HFONT GuiFont();
HFONT GuiFontBold();

}  // namespace vt::win32
