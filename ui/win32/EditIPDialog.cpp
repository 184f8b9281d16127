// The single-address dialog's window.
#include "ui/win32/EditIPDialog.h"

#include "controls/win32/IPEditControl.h"
#include "core/MessageBox.h"
#include "platform/win32/ModalDialog.h"
#include "platform/win32/ModalOwner.h"
#include "ui/win32/ControlTable.h"

namespace vt::win32 {

namespace {

class EditIPDialog : public ModalDialog, public EditIPView {
  public:
    explicit EditIPDialog(const IPPair* initial) : initial_(initial) {}
    std::optional<IPPair> result;

    // --- EditIPView
    std::string Address(EditIPField field) const override { return IPEditIPText(Field(field)); }
    std::string AddressText(EditIPField field) const override { return IPEditText(Field(field)); }
    void Focus(EditIPField field) override { SetFocus(Field(field)); }
    void Tell(const std::string& text) override { TellAboutAddress(Window(), text); }

  protected:
    Frame Layout() const override { return {" IP Address", 329, 192}; }
    bool OnInitDialog() override {
        RegisterIPEditClass();
        CreateControls(Window(), {
            {-1, "STATIC", "&IP Address: ", 0, 28, 42, 100, 16},
            {kIdEditIPAddress, kIPEditClass, "", 0, 140, 38, kIPEditWidth, kIPEditHeight},
            {-1, "STATIC", "&Subnet Mask:  ", 0, 28, 86, 100, 16},
            {kIdEditIPMask, kIPEditClass, "", 0, 140, 82, kIPEditWidth, kIPEditHeight},
            {IDOK, "BUTTON", "&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 153, 154, 80, 26},
            {IDCANCEL, "BUTTON", "&Cancel", WS_TABSTOP, 241, 154, 80, 26},
            {-1, "BUTTON", "", BS_GROUPBOX, 8, 4, 313, 138},
        });
        if (initial_) {
            SetWindowTextA(Item(kIdEditIPAddress), initial_->ip.c_str());
            SetWindowTextA(Item(kIdEditIPMask), initial_->mask.c_str());
        }
        return true;
    }
    bool OnCommand(int id, int, HWND) override {
        if (id != IDOK || !logic_.sButton1Click()) return false;
        result = IPPair{IPEditIPText(Item(kIdEditIPAddress)), IPEditIPText(Item(kIdEditIPMask))};
        End(IDOK);
        return true;
    }

  private:
    HWND Field(EditIPField field) const {
        return Item(field == EditIPField::edtIP ? kIdEditIPAddress : kIdEditIPMask);
    }

    const IPPair* initial_;
    TfrmEditIP logic_{*this};
};

}  // namespace

std::optional<IPPair> RunEditIPDialog(HWND owner, const IPPair* initial) {
    EditIPDialog dialog(initial);
    dialog.Run(owner);
    return dialog.result;
}

void TellAboutAddress(HWND dialog, const std::string& text) {
    MessageBoxA(ModalOwnerFor(dialog), FrameMessageText(text).c_str(), kAddressDialogCaption,
                MB_ICONINFORMATION);
}

}  // namespace vt::win32
