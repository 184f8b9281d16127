// One base for every window procedure of the program: the object bound to its window when the
// window is made or taken over, every message inside the error guard, commands and notifications
// split by control id.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace vt::win32 {

class WindowBase {
  public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase() = default;

    HWND Handle() const { return window_; }

    // Registers a window class of this module whose windows run this base's procedure; each is
    // made with its object as the creation parameter (CreateWindowEx's last argument).
    // Registering a class again changes nothing.
    static void RegisterClass(const char* name, LPCSTR cursor, HBRUSH background,
                              HICON icon = nullptr);
    // The same for a class whose windows are made by name alone (in a dialog's control table):
    // each window gets a new object of type T, made from the window, deleted when it goes.
    template <typename T>
    static void RegisterOwningClass(const char* name, LPCSTR cursor, HBRUSH background) {
        Register(name, cursor, background, nullptr, OwningProcedure<T>);
    }
    // Takes over a window made elsewhere (a common control or an edit box); what this object
    // does not handle goes on to the window's own procedure.
    void Subclass(HWND window);

  protected:
    // Every message, inside the guard; by default commands and notifications go to the handlers
    // below by control id, and the rest to the window's default handling.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // True when handled.
    virtual bool OnCommand(int id, int code, HWND control) {
        (void)id, (void)code, (void)control;
        return false;
    }
    // True when handled, with the result to give back.
    virtual bool OnNotify(int id, const NMHDR& header, LRESULT& result) {
        (void)id, (void)header, (void)result;
        return false;
    }
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static void Register(const char* name, LPCSTR cursor, HBRUSH background, HICON icon,
                         WNDPROC procedure);
    static void Bind(HWND window, WindowBase* self);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    template <typename T>
    static LRESULT CALLBACK OwningProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
        if (message == WM_NCCREATE) {
            WindowBase* self = new T(window);
            self->owned_ = true;
            Bind(window, self);
        }
        return Procedure(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    WNDPROC original_ = nullptr;  // of a window taken over
    bool owned_ = false;          // made for its window, and deleted with it
};

}  // namespace vt::win32
