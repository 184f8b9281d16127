// Creating a window's controls from its table, and the program's font.
#include "ui/win32/ControlTable.h"

#include <cstddef>

#include "platform/win32/Handles.h"

namespace vt::win32 {

namespace {

UniqueFont MessageFont(LONG weight) {
    NONCLIENTMETRICSA metrics{};
    // The structure's size before Vista, so older systems accept it too.
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    metrics.lfMessageFont.lfWeight = weight;
    return UniqueFont(CreateFontIndirectA(&metrics.lfMessageFont));
}

}  // namespace

HFONT GuiFont() {
    static const UniqueFont font = MessageFont(FW_NORMAL);
    return font.Get();
}

HFONT GuiFontBold() {
    static const UniqueFont font = MessageFont(FW_BOLD);
    return font.Get();
}

void CreateControls(HWND parent, std::initializer_list<ControlRow> controls) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    for (const ControlRow& row : controls) {
        HWND control = CreateWindowExA(row.exStyle, row.className, row.text,
                                       WS_CHILD | WS_VISIBLE | row.style, row.x, row.y,
                                       row.width, row.height, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                       instance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
    }
}

}  // namespace vt::win32
