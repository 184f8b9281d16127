// Thin wrappers over control windows: one-line forwarding methods over an HWND they do not own.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace vt::win32 {

// Where a context menu opens: at the pointer for the mouse; for the keyboard (Shift+F10 or the
// menu key give the position -1) below the left end of `item`, a rectangle in the control's
// client area, or at the control's corner without one.
inline POINT ContextMenuPoint(HWND control, LPARAM position, const RECT* item) {
    if (position != -1)
        return {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    POINT at{item ? item->left : 0, item ? item->bottom : 0};
    ClientToScreen(control, &at);
    return at;
}

class Control {
  public:
    Control() = default;
    explicit Control(HWND window) : window_(window) {}
    HWND Handle() const { return window_; }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(window_, message, wParam, lParam);
    }
    void SetText(const std::string& text) const { SetWindowTextA(window_, text.c_str()); }
    std::string Text() const {
        std::string text(static_cast<size_t>(GetWindowTextLengthA(window_)) + 1, '\0');
        text.resize(static_cast<size_t>(GetWindowTextA(window_, text.data(), static_cast<int>(text.size()))));
        return text;
    }
    void Enable(bool enabled) const { EnableWindow(window_, enabled ? TRUE : FALSE); }
    bool IsEnabled() const { return IsWindowEnabled(window_) != FALSE; }
    void Focus() const { SetFocus(window_); }
    void SetRedraw(bool on) const {
        Send(WM_SETREDRAW, on ? TRUE : FALSE);
        if (on) InvalidateRect(window_, nullptr, TRUE);
    }

  protected:
    HWND window_ = nullptr;
};

class Toolbar : public Control {
  public:
    using Control::Control;
    void SetImages(HIMAGELIST images) const {
        Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
        Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    }
    void AddButton(int command, int image, const char* text) const {
        TBBUTTON button{};
        button.iBitmap = image;
        button.idCommand = command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
        button.iString = reinterpret_cast<INT_PTR>(text);
        Send(TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
    void AddDivider() const {
        TBBUTTON divider{};
        divider.fsStyle = BTNS_SEP;
        Send(TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&divider));
    }
    void AutoSize() const { Send(TB_AUTOSIZE); }
    int ButtonCount() const { return static_cast<int>(Send(TB_BUTTONCOUNT)); }
    // The command of the button at a point of the client area; 0 for none.
    int CommandAt(POINT client) const {
        const auto index = static_cast<int>(Send(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
        TBBUTTON button{};
        if (index < 0 || !Send(TB_GETBUTTON, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(&button)))
            return 0;
        return button.idCommand;
    }
};

class StatusBar : public Control {
  public:
    using Control::Control;
    void SetOnePart() const {
        const int parts[] = {-1};  // the whole width
        Send(SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
    }
    void SetText(const std::string& text) const {
        Send(SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Takes its place at the bottom of its parent again.
    void Fit() const { Send(WM_SIZE); }
};

class CheckBox : public Control {
  public:
    using Control::Control;
    void SetChecked(bool on) const { Send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }
    bool IsChecked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
};

class ListView : public Control {
  public:
    using Control::Control;
    void SetExtendedStyle(DWORD style) const { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
    void AddColumn(int index, const char* caption) const {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT;
        column.pszText = const_cast<char*>(caption);
        Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
    }
    // As wide as the widest of its cells and its caption.
    void SizeColumnToContent(int index, const char* caption) const {
        Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index), LVSCW_AUTOSIZE);
        const auto cells = static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(index)));
        const int header =
            static_cast<int>(Send(LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(caption))) + 16;
        Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index), cells > header ? cells : header);
    }
    int Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    void Clear() const { Send(LVM_DELETEALLITEMS); }
    void AddRow(const std::string& caption) const {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = Count();
        item.pszText = const_cast<char*>(caption.c_str());
        Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    void SetCell(int row, int column, const std::string& text) const {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = const_cast<char*>(text.c_str());
        Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    std::string Cell(int row, int column) const {
        char text[256] = {};
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    int Selected() const {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    void Select(int row) const {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    void MakeVisible(int row) const { Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE); }
    bool RowRect(int row, RECT& area) const {
        area.left = LVIR_BOUNDS;
        const auto at = reinterpret_cast<LPARAM>(&area);
        return Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), at) != 0;
    }
};

}  // namespace vt::win32
