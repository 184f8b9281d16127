// Creating a window's controls from its table, and the program's font.
#include "ui/win32/ControlTable.h"

#include "platform/win32/Dpi.h"
#include "platform/win32/WindowFont.h"

namespace vt::win32 {

HFONT GuiFont(HWND window) {
    return MessageFont(WindowDpi(window));
}

HFONT GuiFontBold(HWND window) {
    return MessageFont(WindowDpi(window), true);
}

void CreateControls(HWND parent, std::initializer_list<ControlRow> controls) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    const UINT dpi = WindowDpi(parent);
    const HFONT font = MessageFont(dpi);
    for (const ControlRow& row : controls) {
        HWND control = CreateWindowExA(row.exStyle, row.className, row.text,
                                       WS_CHILD | WS_VISIBLE | row.style, Scaled(row.x, dpi),
                                       Scaled(row.y, dpi), Scaled(row.width, dpi),
                                       Scaled(row.height, dpi), parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                       instance, nullptr);
        SetWindowFont(control, font);
    }
}

}  // namespace vt::win32
