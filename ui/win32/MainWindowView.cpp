// The main window's frame, its tree and title controls, and its window procedure.
#include "ui/win32/MainWindowView.h"

#include <commctrl.h>

#include "ui/win32/ErrorReport.h"

namespace vt::win32 {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kTreeWidth = 220;
constexpr int kTitleHeight = 22;

}  // namespace

bool MainWindowView::Create(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    RegisterClassExA(&windowClass);

    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    window_ = CreateWindowExA(0, kMainWindowClass, "", kStyle, x, y, width, height, nullptr,
                              nullptr, instance, this);
    return window_ != nullptr;
}

void MainWindowView::CreateControls() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font_ = CreateFontIndirectA(&metrics.lfMessageFont);

    const HINSTANCE instance =
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE));
    lbConfigTitle_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE, 0, 0,
                                     kTreeWidth, kTitleHeight, window_, nullptr, instance, nullptr);
    tvConfig_ = CreateWindowExA(
        WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_EDITLABELS, 0,
        kTitleHeight, kTreeWidth, kClientHeight - kTitleHeight, window_, nullptr, instance,
        nullptr);
    for (HWND control : {lbConfigTitle_, tvConfig_})
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

void MainWindowView::Show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

void MainWindowView::SetApplicationTitle(const std::string& title) {
    win32::SetApplicationTitle(title);
}

void MainWindowView::SetCaption(const std::string& caption) {
    SetWindowTextA(window_, caption.c_str());
}

void MainWindowView::SetConfigTitle(const std::string& title) {
    SetWindowTextA(lbConfigTitle_, title.c_str());
}

void MainWindowView::ClearTree() {
    TreeView_DeleteAllItems(tvConfig_);
}

void MainWindowView::SetTreeRedraw(bool enabled) {
    SendMessageA(tvConfig_, WM_SETREDRAW, enabled ? TRUE : FALSE, 0);
    if (enabled) InvalidateRect(tvConfig_, nullptr, TRUE);
}

void MainWindowView::AppendTreeNode(TConfigNode& node, int imageIndex, bool select) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(node.Text.c_str());
    insert.item.iImage = imageIndex;
    insert.item.iSelectedImage = imageIndex;
    insert.item.lParam = reinterpret_cast<LPARAM>(&node);
    const HTREEITEM item = reinterpret_cast<HTREEITEM>(
        SendMessageA(tvConfig_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (select && item) {
        TreeView_SelectItem(tvConfig_, item);
        SendMessageA(tvConfig_, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item));
    }
}

void MainWindowView::Terminate() {
    PostQuitMessage(0);
}

LRESULT CALLBACK MainWindowView::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindowView*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindowView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    if (!Guarded(window, [&] { result = self->OnMessage(message, wParam, lParam); })) return 0;
    return result;
}

LRESULT MainWindowView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateControls();
            return 0;
        case WM_DESTROY:
            if (font_) DeleteObject(font_);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

}  // namespace vt::win32
