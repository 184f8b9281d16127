// The settings editor's window side.
#include "ui/win32/Win32EditorView.h"

#include "controls/win32/IPEditControl.h"
#include "ui/MainWindow.h"
#include "ui/win32/ControlTable.h"
#include "ui/win32/IPListDialog.h"

namespace vt::win32 {

namespace {

using C = EditorControl;

constexpr int kSeparator1 = 1190, kSeparator2 = 1191;
constexpr int kGroupHeight = 288;
constexpr int kLabelX = 36, kFieldX = 190;

}  // namespace

void Win32EditorView::Create(HWND page, int top) {
    page_ = page;
    top_ = top;
    RegisterIPEditClass(GetModuleHandleA(nullptr));
    const auto row = [top](int offset) { return top + offset; };
    const auto id = [](C control) { return EditorId(control); };
    CreateControls(page, {
        {id(C::checkSelected), "BUTTON", "Change To &Following Settings",
         WS_TABSTOP | BS_AUTOCHECKBOX, 18, row(0), 214, 16},
        {id(C::rbEnable), "BUTTON", "&Enable This Adapter", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
         24, row(22), 190, 20},
        {id(C::rbDisable), "BUTTON", "&Disable This Adapter", BS_AUTORADIOBUTTON, 220, row(22), 190, 20},
        {kSeparator1, "STATIC", "", SS_ETCHEDHORZ, 24, row(46), 0, 2},
        {id(C::checkIP), "BUTTON", "&Obtain an IP address automatically",
         WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 24, row(54), 320, 20},
        {id(C::lbIP), "STATIC", "IP Address:", 0, kLabelX, row(82), 150, 16},
        {id(C::edtIP), kIPEditClass, "", 0, kFieldX, row(79), kIPEditWidth, kIPEditHeight},
        {id(C::btnIPMore), "BUTTON", "...", WS_TABSTOP, kFieldX + kIPEditWidth + 6, row(79), 26, 21},
        {id(C::lbMask), "STATIC", "Subnet Mask:", 0, kLabelX, row(108), 150, 16},
        {id(C::edtMask), kIPEditClass, "", 0, kFieldX, row(105), kIPEditWidth, kIPEditHeight},
        {id(C::lbGateway), "STATIC", "Default Gateway:", 0, kLabelX, row(134), 150, 16},
        {id(C::edtGateway), kIPEditClass, "", 0, kFieldX, row(131), kIPEditWidth, kIPEditHeight},
        {kSeparator2, "STATIC", "", SS_ETCHEDHORZ, 24, row(160), 0, 2},
        {id(C::checkDNS), "BUTTON", "O&btain DNS server address automatically",
         WS_TABSTOP | BS_AUTOCHECKBOX, 24, row(168), 320, 20},
        {id(C::lbDNS0), "STATIC", "Preferred DNS Server: ", 0, kLabelX, row(196), 150, 16},
        {id(C::edtDns0), kIPEditClass, "", 0, kFieldX, row(193), kIPEditWidth, kIPEditHeight},
        {id(C::lbDNS1), "STATIC", "Alternate DNS Server:", 0, kLabelX, row(222), 150, 16},
        {id(C::edtDns1), kIPEditClass, "", 0, kFieldX, row(219), kIPEditWidth, kIPEditHeight},
        {id(C::btnSave), "BUTTON", "&Save", WS_TABSTOP, kFieldX, row(252), 75, 25},
        {id(C::btnCancel), "BUTTON", "&Cancel", WS_TABSTOP, kFieldX + 81, row(252), 75, 25},
        {id(C::btnApply), "BUTTON", "&Apply", WS_TABSTOP, kFieldX + 162, row(252), 75, 25},
        {id(C::gbEditor), "BUTTON", "", BS_GROUPBOX | WS_CLIPSIBLINGS, 8, row(0), 0, kGroupHeight},
    });
    SendMessageA(Item(C::checkSelected), WM_SETFONT, reinterpret_cast<WPARAM>(GuiFontBold()), FALSE);
}

void Win32EditorView::Resize(int pageWidth) {
    SetWindowPos(Item(C::gbEditor), nullptr, 0, 0, pageWidth - 16, kGroupHeight,
                 SWP_NOMOVE | SWP_NOZORDER);
    for (int separator : {kSeparator1, kSeparator2})
        SetWindowPos(GetDlgItem(page_, separator), nullptr, 0, 0, pageWidth - 48, 2,
                     SWP_NOMOVE | SWP_NOZORDER);
}

void Win32EditorView::SetChecked(EditorControl control, bool checked) {
    SendMessageA(Item(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32EditorView::IsChecked(EditorControl control) const {
    return SendMessageA(Item(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
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

void Win32EditorView::Focus(EditorControl control) {
    SetFocus(Item(control));
}

std::optional<std::vector<IPPair>> Win32EditorView::EditAddressList(const TAddrType& ips,
                                                                    const TAddrType& masks) {
    return RunIPListDialog(GetAncestor(page_, GA_ROOT), ips, masks);
}

bool Win32EditorView::OnCommand(int id, int code) {
    if (!form_) return false;
    SettingsEditor& editor = form_->Editor;
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
            if (code == kIPEditChanged) editor.rbEnableClick();  // OnIPChange
            return true;
        case C::btnIPMore: editor.btnIPMoreClick(); return true;
        case C::btnSave: editor.btnSaveClick(); return true;
        case C::btnCancel: editor.btnCancelClick(); return true;
        case C::btnApply: editor.btnApplyClick(); return true;
        default: return false;
    }
}

}  // namespace vt::win32
