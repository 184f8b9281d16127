// The settings editor's window side.
#include "ui/win32/Win32EditorView.h"

#include "controls/win32/IPEditControl.h"
#include "ui/win32/ControlTable.h"
#include "ui/win32/Controls.h"
#include "platform/win32/Dpi.h"
#include "ui/win32/IPListDialog.h"

namespace vt::win32 {

namespace {

using C = EditorControl;

constexpr int kSeparator1 = 1190, kSeparator2 = 1191;
// The group's inner layout, from its top left corner.
constexpr int kIndent = 16;      // the rows under the title box; the separators too
constexpr int kMargin = 8;       // around the group, to the page's edges
constexpr int kButtonsTop = 300;
constexpr int kButtonWidth = 75, kButtonHeight = 25, kButtonGap = 6;
constexpr int kButtonsInset = 12;  // the last button from the group's right edge

}  // namespace

void Win32EditorView::Create(HWND page, SettingsEditor& logic, int left, int top, UINT dpi) {
    logic_ = &logic;
    page_ = page;
    left_ = left;
    top_ = top;
    dpi_ = dpi;
    RegisterIPEditClass();
    const auto x = [left](int offset) { return left + offset; };
    const auto y = [top](int offset) { return top + offset; };
    const auto id = [](C control) { return EditorId(control); };
    constexpr int label = 24, field = 150;
    // Made as the start shows them, nothing selected: every row but the first off, the three
    // automatic boxes on; the start's own pass over them then finds nothing to change.
    constexpr DWORD kOff = WS_DISABLED;
    CreateControls(page, {
        {id(C::checkSelected), "BUTTON", "Change To &Following Settings",
         WS_TABSTOP | BS_AUTOCHECKBOX, x(10), y(0), 214, 16},
        {id(C::rbEnable), "BUTTON", "&Enable This Adapter",
         kOff | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, x(16), y(26), 170, 20},
        {id(C::rbDisable), "BUTTON", "&Disable This Adapter", kOff | BS_AUTORADIOBUTTON, x(190),
         y(26), 170, 20},
        {kSeparator1, "STATIC", "", SS_ETCHEDHORZ, x(kIndent), y(54), 0, 2},
        {id(C::checkIP), "BUTTON", "&Obtain an IP address automatically",
         kOff | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, x(16), y(64), 300, 20},
        {id(C::lbIP), "STATIC", "IP Address:", kOff, x(label), y(96), 124, 16},
        {id(C::edtIP), kIPEditClass, "", kOff, x(field), y(93), kIPEditWidth, kIPEditHeight},
        {id(C::btnIPMore), "BUTTON", "...", kOff | WS_TABSTOP, x(field + kIPEditWidth + 6), y(93),
         26, 21},
        {id(C::lbMask), "STATIC", "Subnet Mask:", kOff, x(label), y(126), 124, 16},
        {id(C::edtMask), kIPEditClass, "", kOff, x(field), y(123), kIPEditWidth, kIPEditHeight},
        {id(C::lbGateway), "STATIC", "Default Gateway:", kOff, x(label), y(156), 124, 16},
        {id(C::edtGateway), kIPEditClass, "", kOff, x(field), y(153), kIPEditWidth,
         kIPEditHeight},
        {kSeparator2, "STATIC", "", SS_ETCHEDHORZ, x(kIndent), y(188), 0, 2},
        {id(C::checkDNS), "BUTTON", "O&btain DNS server address automatically",
         kOff | WS_TABSTOP | BS_AUTOCHECKBOX, x(16), y(198), 300, 20},
        {id(C::lbDNS0), "STATIC", "Preferred DNS Server: ", kOff, x(label), y(230), 124, 16},
        {id(C::edtDns0), kIPEditClass, "", kOff, x(field), y(227), kIPEditWidth, kIPEditHeight},
        {id(C::lbDNS1), "STATIC", "Alternate DNS Server:", kOff, x(label), y(260), 124, 16},
        {id(C::edtDns1), kIPEditClass, "", kOff, x(field), y(257), kIPEditWidth, kIPEditHeight},
        // Placed at the group's right edge by Resize.
        {id(C::btnSave), "BUTTON", "&Save", kOff | WS_TABSTOP, 0, y(kButtonsTop), kButtonWidth,
         kButtonHeight},
        {id(C::btnCancel), "BUTTON", "&Cancel", kOff | WS_TABSTOP, 0, y(kButtonsTop),
         kButtonWidth, kButtonHeight},
        {id(C::btnApply), "BUTTON", "&Apply", kOff | WS_TABSTOP, 0, y(kButtonsTop),
         kButtonWidth, kButtonHeight},
        {id(C::gbEditor), "BUTTON", "", kOff | BS_GROUPBOX | WS_CLIPSIBLINGS, x(0), y(0), 0, 0},
    });
    Control(Item(C::checkSelected)).SetFont(GuiFontBold(page));
    for (C box : {C::rbEnable, C::checkIP, C::checkDNS}) SetChecked(box, true);
}

void Win32EditorView::Resize(int pageWidth, int pageHeight) {
    const auto px = [this](int pixels) { return Scaled(pixels, dpi_); };
    const int width = pageWidth - px(left_ + kMargin);
    SetWindowPos(Item(C::gbEditor), nullptr, 0, 0, width, pageHeight - px(top_ + kMargin),
                 SWP_NOMOVE | SWP_NOZORDER);
    for (int separator : {kSeparator1, kSeparator2})
        SetWindowPos(GetDlgItem(page_, separator), nullptr, 0, 0, width - px(2 * kIndent), px(2),
                     SWP_NOMOVE | SWP_NOZORDER);
    // The buttons stand at the group's right edge.
    int right = px(left_) + width - px(kButtonsInset);
    for (C button : {C::btnApply, C::btnCancel, C::btnSave}) {
        right -= px(kButtonWidth);
        SetWindowPos(Item(button), nullptr, right, px(top_ + kButtonsTop), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        right -= px(kButtonGap);
    }
}

void Win32EditorView::SetChecked(EditorControl control, bool checked) {
    CheckBox(Item(control)).SetChecked(checked);
}

bool Win32EditorView::IsChecked(EditorControl control) const {
    return CheckBox(Item(control)).IsChecked();
}

void Win32EditorView::SetEnabled(EditorControl control, bool enabled) {
    EnableWindow(Item(control), enabled ? TRUE : FALSE);
}

bool Win32EditorView::IsEnabled(EditorControl control) const {
    return IsWindowEnabled(Item(control)) != FALSE;
}

void Win32EditorView::SetAddress(EditorControl field, const std::string& text) {
    SetWindowTextA(Item(field), text.c_str());
}

std::string Win32EditorView::Address(EditorControl field) const {
    return IPEditIPText(Item(field));
}

std::string Win32EditorView::AddressText(EditorControl field) const {
    return IPEditText(Item(field));
}

void Win32EditorView::Focus(EditorControl control) {
    SetFocus(Item(control));
}

std::optional<std::vector<IPPair>> Win32EditorView::EditAddressList(const TAddrType& ips,
                                                                    const TAddrType& masks) {
    return RunIPListDialog(GetAncestor(page_, GA_ROOT), ips, masks);
}

bool Win32EditorView::OnCommand(int id, int code) {
    SettingsEditor& editor = *logic_;
    switch (static_cast<C>(id - EditorId(C::gbEditor))) {
        case C::checkSelected:
            if (code == BN_CLICKED) editor.checkSelectedClick();
            return true;
        case C::rbEnable:
        case C::rbDisable:
        case C::checkIP:
        case C::checkDNS:
            if (code == BN_CLICKED) editor.rbEnableClick();
            return true;
        case C::edtIP:
        case C::edtMask:
        case C::edtGateway:
        case C::edtDns0:
        case C::edtDns1:
            if (code == kIPEditChanged) editor.rbEnableClick();  // any change, emptied too
            return true;
        case C::btnIPMore: editor.btnIPMoreClick(); return true;
        case C::btnSave: editor.btnSaveClick(); return true;
        case C::btnCancel: editor.btnCancelClick(); return true;
        case C::btnApply: editor.btnApplyClick(); return true;
        default: return false;
    }
}

}  // namespace vt::win32
