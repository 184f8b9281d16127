// The address list dialog's window, forwarding to the portable logic.
#include "ui/win32/IPListDialog.h"

#include <commctrl.h>

#include "ui/win32/ControlTable.h"
#include "ui/win32/Controls.h"
#include "ui/win32/EditIPDialog.h"
#include "platform/win32/ModalDialog.h"

namespace vt::win32 {

namespace {

constexpr const char* kColumns[] = {"IP Address", "Subnet Mask"};
constexpr DWORD kFlatButton = BS_PUSHBUTTON | BS_FLAT;  // no tab stop: reached by its accelerator

class Win32IPListView : public ModalDialog, public IPListView {
  public:
    Win32IPListView(const std::vector<std::string>& ips, const std::vector<std::string>& masks)
        : ips_(ips), masks_(masks) {}
    TfrmIPList logic{*this};

    // --- IPListView
    void ShowRows(const std::vector<IPPair>& rows) override {
        list_.SetRedraw(false);
        list_.Clear();
        for (const IPPair& pair : rows) {
            list_.AddRow(pair.ip);
            list_.SetCell(list_.Count() - 1, 1, pair.mask);
        }
        list_.SizeColumnToContent(0, kColumns[0]);
        list_.SizeColumnToContent(1, kColumns[1]);
        list_.SetRedraw(true);
    }
    int SelectedRow() const override { return list_.Selected(); }
    void SelectRow(int row) override { list_.Select(row); }
    void FocusList() override { list_.Focus(); }
    void MakeRowVisible(int row) override { list_.MakeVisible(row); }
    std::optional<IPPair> EditPair(const IPPair* initial) override {
        return RunEditIPDialog(Window(), initial);
    }
    void Close() override { End(logic.Accepted ? IDOK : IDCANCEL); }
    void Tell(const std::string& text) override { TellAboutAddress(Window(), text); }

  protected:
    Frame Layout() const override { return {"IP Address ", 428, 374}; }
    bool OnInitDialog() override {
        CreateControls(Window(), {
            {kIdIPList, WC_LISTVIEWA, "",
             WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, 18,
             20, 300, 294, WS_EX_CLIENTEDGE},
            {kIdIPListAdd, "BUTTON", "&Add", kFlatButton, 330, 20, 80, 22},
            {kIdIPListModify, "BUTTON", "&Modifty", kFlatButton, 330, 46, 80, 22},
            {kIdIPListRemove, "BUTTON", "&Remove", kFlatButton, 330, 72, 80, 22},
            {kIdIPListUp, "BUTTON", "Move &Up", kFlatButton, 330, 110, 80, 22},
            {kIdIPListDown, "BUTTON", "Move &Down", kFlatButton, 330, 136, 80, 22},
            {kIdIPListClear, "BUTTON", "C&lear", kFlatButton, 330, 174, 80, 22},
            {IDOK, "BUTTON", "&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 252, 338, 80, 26},
            {IDCANCEL, "BUTTON", "&Cancel", WS_TABSTOP, 340, 338, 80, 26},
            {-1, "BUTTON", "", BS_GROUPBOX, 8, 4, 412, 322},
        });
        list_ = ListView(Item(kIdIPList));
        list_.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
        list_.AddColumn(0, kColumns[0]);
        list_.AddColumn(1, kColumns[1]);
        logic.SetPairs(ips_, masks_);
        return true;
    }
    bool OnCommand(int id, int, HWND) override {
        switch (id) {
            case kIdIPListAdd: logic.btnAddClick(); return true;
            case kIdIPListModify: logic.sSpeedButton2Click(); return true;
            case kIdIPListRemove: logic.sSpeedButton3Click(); return true;
            case kIdIPListUp: logic.sSpeedButton4Click(); return true;
            case kIdIPListDown: logic.sSpeedButton5Click(); return true;
            case kIdIPListClear: logic.sSpeedButton6Click(); return true;
            case IDOK: logic.sButton1Click(); return true;
            case IDCANCEL: logic.sButton2Click(); return true;
            default: return false;
        }
    }
    bool OnNotify(int id, const NMHDR& header) override {
        if (id != kIdIPList || header.code != NM_DBLCLK) return false;
        logic.lvIPListDblClick();
        return true;
    }

  private:
    const std::vector<std::string>& ips_;
    const std::vector<std::string>& masks_;
    ListView list_;
};

}  // namespace

std::optional<std::vector<IPPair>> RunIPListDialog(HWND owner, const std::vector<std::string>& ips,
                                                   const std::vector<std::string>& masks) {
    Win32IPListView dialog(ips, masks);
    dialog.Run(owner);
    if (!dialog.logic.Accepted) return std::nullopt;
    return dialog.logic.Rows();
}

}  // namespace vt::win32
