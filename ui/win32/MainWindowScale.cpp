// The main window at its monitor's DPI: its frame around the client area of the Parts' size, the
// bars' own padding, and a move to a monitor of another DPI.
#include "ui/win32/MainWindowView.h"

#include <utility>

#include "platform/win32/Dpi.h"

namespace vt::win32 {

SIZE MainWindowView::FrameSize(UINT dpi) {
    RECT frame{0, 0, Scaled(kClientWidth, dpi), Scaled(kClientHeight, dpi)};
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = reinterpret_cast<AdjustForDpi>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")));
    if (!adjust || !adjust(&frame, kStyle, TRUE, WS_EX_CONTROLPARENT, dpi))
        AdjustWindowRectEx(&frame, kStyle, TRUE, WS_EX_CONTROLPARENT);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void MainWindowView::FitClientArea() {
    RECT client{}, frame{};
    GetClientRect(Window(), &client);
    GetWindowRect(Window(), &frame);
    const int width = Scaled(kClientWidth, dpi_), height = Scaled(kClientHeight, dpi_);
    if (client.right != width || client.bottom != height)
        SetWindowPos(Window(), nullptr, 0, 0, frame.right - frame.left + width - client.right,
                     frame.bottom - frame.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
}

// The toolbar's and the tabs' padding is a number of pixels of their own: at the DPI too.
void MainWindowView::ScaleBarPadding() {
    toolbar_.SetPadding({Scaled(toolbarPadding_.cx, dpi_), Scaled(toolbarPadding_.cy, dpi_)});
    TabControl(tabs_.Tabs()).SetPadding({Scaled(6, dpi_), Scaled(3, dpi_)});
    toolbar_.AutoSize();
}

// Moved to a monitor of another DPI (or its scale changed): the suggested place, the client area
// of the Parts' size at the new DPI, every control, font and picture at it.
void MainWindowView::OnDpiChanged(UINT dpi, const RECT& suggested) {
    if (dpi == dpi_ || !toolbar_.Handle()) return;
    const UINT old = std::exchange(dpi_, dpi);
    // Every control holds its new pictures before the old ones are destroyed, and before any
    // message below makes it measure itself: a control must never draw from a freed list.
    {
        UniqueImageList oldActions = std::move(actionImages_), oldTree = std::move(treeImages_),
                        oldMarks = std::move(tabMarks_);
        LoadPictures();
        toolbar_.SetImages(actionImages_.Get());
        tree_.SetImages(treeImages_.Get());
        tabs_.SetMarks(tabMarks_.Get());
    }
    RescaleChildren(page_.Handle(), old, dpi);
    for (HWND control : {toolbar_.Handle(), statusBar_.Handle(), splitter_.Handle()})
        SetWindowFont(control, MessageFont(dpi));
    tree_.SetDpi(dpi);
    tabs_.SetDpi(dpi);
    ScaleBarPadding();
    editor_.SetDpi(dpi);
    status_.SetDpi(dpi);
    const auto [width, height] = FrameSize(dpi);
    SetWindowPos(Window(), nullptr, suggested.left, suggested.top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    FitClientArea();
    Layout();
    InvalidateRect(Window(), nullptr, TRUE);
}

}  // namespace vt::win32
