// Binding, the guarded procedure and the dispatch by control id.
#include "platform/win32/WindowBase.h"

#include "platform/win32/ErrorReport.h"

namespace vt::win32 {

namespace {

constexpr char kObjectProperty[] = "VelmoraTarvello.Window";

WindowBase* ObjectOf(HWND window) {
    return static_cast<WindowBase*>(GetPropA(window, kObjectProperty));
}

}  // namespace

void WindowBase::RegisterClass(const char* name, LPCSTR cursor, HBRUSH background, HICON icon) {
    Register(name, cursor, background, icon, Procedure);
}

void WindowBase::Register(const char* name, LPCSTR cursor, HBRUSH background, HICON icon,
                          WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, cursor);
    windowClass.hbrBackground = background;
    windowClass.hIcon = icon;
    windowClass.lpszClassName = name;
    RegisterClassExA(&windowClass);
}

void WindowBase::Bind(HWND window, WindowBase* self) {
    self->window_ = window;
    SetPropA(window, kObjectProperty, self);
}

void WindowBase::Subclass(HWND window) {
    Bind(window, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));
}

LRESULT WindowBase::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return original_ ? CallWindowProcA(original_, window_, message, wParam, lParam)
                     : DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT WindowBase::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND &&
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
        return 0;
    if (message == WM_NOTIFY) {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        LRESULT result = 0;
        if (OnNotify(static_cast<int>(header.idFrom), header, result)) return result;
    }
    return Default(message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE && !ObjectOf(window)) {
        auto* self =
            static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self) Bind(window, self);
    }
    WindowBase* self = ObjectOf(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    if (!Guarded(window, [&] { result = self->OnMessage(message, wParam, lParam); }))
        result = self->Default(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropA(window, kObjectProperty);
        self->window_ = nullptr;
        if (self->owned_) delete self;
    }
    return result;
}

}  // namespace vt::win32
