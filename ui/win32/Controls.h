// Thin wrappers over control windows: one-line forwarding methods over an HWND they do not own.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/win32/WindowFont.h"

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
    void SetFont(HFONT font) const { SetWindowFont(window_, font); }

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
    static TBBUTTON Button(int command, int image, const char* text) {
        TBBUTTON button{};
        button.iBitmap = image;
        button.idCommand = command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
        button.iString = reinterpret_cast<INT_PTR>(text);
        return button;
    }
    static TBBUTTON Divider() {
        TBBUTTON divider{};
        divider.fsStyle = BTNS_SEP;
        return divider;
    }
    // All at once: the toolbar lays itself out once.
    void AddButtons(const std::vector<TBBUTTON>& buttons) const {
        Send(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    }
    void AutoSize() const { Send(TB_AUTOSIZE); }
    // The space around each button's picture and text.
    SIZE Padding() const {
        const auto padding = static_cast<DWORD>(Send(TB_GETPADDING));
        return {LOWORD(padding), HIWORD(padding)};
    }
    void SetPadding(SIZE padding) const {
        Send(TB_SETPADDING, 0, MAKELPARAM(padding.cx, padding.cy));
    }
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

// A static control that shows a picture.
class StaticPicture : public Control {
  public:
    using Control::Control;
    void SetBitmap(HBITMAP bitmap) const {
        Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
    void SetIcon(HICON icon) const { Send(STM_SETICON, reinterpret_cast<WPARAM>(icon)); }
};

class EditBox : public Control {
  public:
    using Control::Control;
    void SetMargins(int left, int right) const {
        Send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(left, right));
    }
    void SetLimit(int characters) const { Send(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }
};

class CheckBox : public Control {
  public:
    using Control::Control;
    void SetChecked(bool on) const { Send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }
    bool IsChecked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
};

// Tabs with a caption, an image and data of their own each.
class TabControl : public Control {
  public:
    using Control::Control;
    void SetImages(HIMAGELIST images) const {
        Send(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    }
    int Count() const { return static_cast<int>(Send(TCM_GETITEMCOUNT)); }
    // The space around each tab's picture and caption.
    void SetPadding(SIZE padding) const {
        Send(TCM_SETPADDING, 0, MAKELPARAM(padding.cx, padding.cy));
    }
    int Selected() const { return static_cast<int>(Send(TCM_GETCURSEL)); }  // -1 when none
    void Select(int tab) const { Send(TCM_SETCURSEL, static_cast<WPARAM>(tab)); }  // unreported
    void Clear() const { Send(TCM_DELETEALLITEMS); }
    void Remove(int tab) const { Send(TCM_DELETEITEM, static_cast<WPARAM>(tab)); }
    void Insert(int at, const std::string& caption, int image = -1, LPARAM data = 0) const {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
        item.pszText = const_cast<char*>(caption.c_str());
        item.iImage = image;
        item.lParam = data;
        Send(TCM_INSERTITEMA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
    }
    std::string Caption(int tab) const { return Item(tab, TCIF_TEXT).caption; }
    int Image(int tab) const { return Item(tab, TCIF_IMAGE).image; }
    LPARAM Data(int tab) const { return Item(tab, TCIF_PARAM).data; }
    void SetImage(int tab, int image) const {
        TCITEMA item{};
        item.mask = TCIF_IMAGE;
        item.iImage = image;
        Send(TCM_SETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
    }
    // The tab at a point of the client area; -1 for none.
    int TabAt(POINT client) const {
        TCHITTESTINFO hit{};
        hit.pt = client;
        return static_cast<int>(Send(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    }
    // The area below the strip, for a window rectangle of the control.
    RECT PageArea(RECT window) const {
        Send(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&window));
        return window;
    }

  private:
    struct Read {
        std::string caption;
        int image;
        LPARAM data;
    };
    Read Item(int tab, UINT mask) const {
        char text[256] = {};
        TCITEMA item{};
        item.mask = mask;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        Send(TCM_GETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
        return {text, item.iImage, item.lParam};
    }
};

// A flat tree of items with a text, an image and data of their own each.
class TreeView : public Control {
  public:
    using Control::Control;
    void SetImages(HIMAGELIST images) const {
        Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    }
    void SetIndent(int pixels) const { Send(TVM_SETINDENT, static_cast<WPARAM>(pixels)); }
    void SetItemHeight(int pixels) const { Send(TVM_SETITEMHEIGHT, static_cast<WPARAM>(pixels)); }
    HTREEITEM Append(const std::string& text, int image, LPARAM data) const {
        TVINSERTSTRUCTA insert{};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(text.c_str());
        insert.item.iImage = image;
        insert.item.iSelectedImage = image;
        insert.item.lParam = data;
        return reinterpret_cast<HTREEITEM>(
            Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    void SetItemText(HTREEITEM item, const std::string& text) const {
        TVITEMA change{};
        change.mask = TVIF_TEXT | TVIF_HANDLE;
        change.hItem = item;
        change.pszText = const_cast<char*>(text.c_str());
        Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
    }
    LPARAM Data(HTREEITEM item) const {
        TVITEMA query{};
        query.mask = TVIF_PARAM | TVIF_HANDLE;
        query.hItem = item;
        Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
        return query.lParam;
    }
    HTREEITEM First() const { return Next(nullptr, TVGN_ROOT); }
    HTREEITEM Next(HTREEITEM item) const { return Next(item, TVGN_NEXT); }
    HTREEITEM Selection() const { return Next(nullptr, TVGN_CARET); }
    void Select(HTREEITEM item) const {
        Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    }
    void Remove(HTREEITEM item) const { Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)); }
    void Clear() const { Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }
    void EditLabel(HTREEITEM item) const {
        Send(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item));
    }
    void CancelLabelEdit() const { Send(TVM_ENDEDITLABELNOW, TRUE); }
    bool IsEditingLabel() const { return Send(TVM_GETEDITCONTROL) != 0; }
    HWND EditControl() const { return reinterpret_cast<HWND>(Send(TVM_GETEDITCONTROL)); }
    // The item whose text or image is at a point of the client area; null for none.
    HTREEITEM ItemAt(POINT client) const {
        TVHITTESTINFO hit{};
        hit.pt = client;
        const auto item =
            reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        return hit.flags & TVHT_ONITEM ? item : nullptr;
    }
    // The rectangle of the item's text; false when it is not shown.
    bool TextRect(HTREEITEM item, RECT& area) const {
        *reinterpret_cast<HTREEITEM*>(&area) = item;
        return Send(TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&area)) != 0;
    }

  private:
    HTREEITEM Next(HTREEITEM item, WPARAM relation) const {
        return reinterpret_cast<HTREEITEM>(
            Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
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
    void SetSmallImages(HIMAGELIST images) const {
        Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    }
    // A row at the end; with an image of the small images, or none (-1).
    void AddRow(const std::string& caption, int image = -1) const {
        LVITEMA item{};
        item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0u);
        item.iItem = Count();
        item.pszText = const_cast<char*>(caption.c_str());
        item.iImage = image;
        Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    // The check box of a row (LVS_EX_CHECKBOXES).
    bool IsChecked(int row) const {
        return (Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK) >> 12) == 2;
    }
    void SetChecked(int row, bool on) const {
        LVITEMA item{};
        item.stateMask = LVIS_STATEIMAGEMASK;
        item.state = INDEXTOSTATEIMAGEMASK(on ? 2 : 1);
        Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
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
