// One base for every dialog: run modally under the dialog manager (Enter, Escape, Tab, "&"
// accelerators, default buttons) on an empty template, every message guarded, commands and
// notifications split by control id.
#pragma once

#include <windows.h>

namespace vt::win32 {

class ModalDialog {
  public:
    virtual ~ModalDialog() = default;
    // Runs the dialog over `owner` (over the innermost modal window open over it) until End;
    // gives what End was given (IDCANCEL for Escape and the close box unless the dialog handles
    // IDCANCEL itself). A dialog of this kind open already comes to the front instead, and this
    // gives IDCANCEL: no dialog ever runs inside itself.
    INT_PTR Run(HWND owner);
    HWND Window() const { return window_; }
    bool IsOpen() const { return window_ != nullptr; }

  protected:
    struct Frame {
        const char* caption;
        int clientWidth, clientHeight;
    };
    virtual Frame Layout() const = 0;
    // Creates the controls. True lets the dialog manager focus the first tab stop.
    virtual bool OnInitDialog() = 0;
    virtual bool OnCommand(int id, int code, HWND control) = 0;
    virtual bool OnNotify(int id, const NMHDR& header) {
        (void)id, (void)header;
        return false;
    }
    // A control's context menu, from the mouse or the keyboard; the position as
    // WM_CONTEXTMENU gives it (-1: from the keyboard).
    virtual void OnContextMenu(HWND control, LPARAM position) {
        (void)control, (void)position;
    }
    // True when the dialog set the cursor for the control under the pointer itself.
    virtual bool OnSetCursor(HWND control) {
        (void)control;
        return false;
    }
    // A timer the dialog set (SetTimer on its window, no procedure) went off.
    virtual void OnTimer(UINT_PTR id) { (void)id; }
    // Its controls have been moved to another DPI: what else the dialog draws for it.
    virtual void OnDpi(UINT dpi) { (void)dpi; }
    void End(INT_PTR result) { EndDialog(window_, result); }
    // The DPI the dialog is shown at; its controls are laid out for it (ControlTable).
    UINT Dpi() const { return dpi_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }

  private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void PlaceCentred(const Frame& frame);
    void OnDpiChanged(UINT dpi, const RECT& suggested);

    HWND window_ = nullptr;
    UINT dpi_ = 96;
};

}  // namespace vt::win32
