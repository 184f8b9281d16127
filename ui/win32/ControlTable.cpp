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

void CreateControls(HWND parent, std::initializer_list<ControlSpec> controls) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    for (const ControlSpec& spec : controls) {
        HWND control = CreateWindowExA(spec.exStyle, spec.className, spec.text,
                                       WS_CHILD | WS_VISIBLE | spec.style, spec.x, spec.y,
                                       spec.width, spec.height, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)),
                                       instance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
    }
}

}  // namespace vt::win32
