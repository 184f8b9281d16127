// The address list dialog's logic: rows of address and mask, added, changed, moved, removed and
// cleared, handed back only on OK.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vt {

struct IPPair {
    std::string ip;
    std::string mask;
    friend bool operator==(const IPPair&, const IPPair&) = default;
};

// What the list dialog's logic asks of its window.
class IPListView {
  public:
    virtual ~IPListView() = default;
    // Shows the rows, with the list's repainting suspended meanwhile.
    virtual void ShowRows(const std::vector<IPPair>& rows) = 0;
    virtual int SelectedRow() const = 0;  // -1 when none
    virtual void SelectRow(int row) = 0;
    virtual void FocusList() = 0;
    virtual void MakeRowVisible(int row) = 0;
    // The single-address dialog, empty or on `initial`: the pair given on OK, nothing on Cancel.
    virtual std::optional<IPPair> EditPair(const IPPair* initial) = 0;
    virtual void Close() = 0;
    // An information box over the dialog.
    virtual void Tell(const std::string& text) = 0;
};

// The caption of the address dialogs' messages.
inline constexpr char kAddressDialogCaption[] = "IP Address";

class TfrmIPList {
  public:
    explicit TfrmIPList(IPListView& view) : view_(view) {}

    // The caller's rows: one per address, with the mask of the same place, or an empty mask
    // where the masks run out.
    void SetPairs(const std::vector<std::string>& ips, const std::vector<std::string>& masks);
    void SetItem(int row, const std::string& ip, const std::string& mask);
    const std::vector<IPPair>& Rows() const { return rows_; }
    bool Accepted = false;

    // -1: a new row at the end, refused past the longest list a card record holds.
    void EditItem(int row);
    void MoveItem(int row, bool up, bool focusList);

    void btnAddClick() { EditItem(-1); }
    void sSpeedButton2Click() { EditItem(view_.SelectedRow()); }  // "&Modifty"
    void lvIPListDblClick() { sSpeedButton2Click(); }
    void sSpeedButton3Click();  // "&Remove"
    void sSpeedButton4Click() { MoveItem(view_.SelectedRow(), true, true); }
    void sSpeedButton5Click() { MoveItem(view_.SelectedRow(), false, true); }
    void sSpeedButton6Click();  // "C&lear"
    void sButton1Click();       // "&OK"
    void sButton2Click() { view_.Close(); }

  private:
    bool HasRow(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }

    IPListView& view_;
    std::vector<IPPair> rows_;
};

enum class EditIPField { edtIP, edtMask };

// What the single-address dialog's logic asks of its window.
class EditIPView {
  public:
    virtual ~EditIPView() = default;
    virtual std::string Address(EditIPField field) const = 0;      // IPText
    virtual std::string AddressText(EditIPField field) const = 0;  // Text: "..." when empty
    virtual void Focus(EditIPField field) = 0;
    virtual void Tell(const std::string& text) = 0;  // an information box over the dialog
};

// The single-address dialog's logic: OK runs its check. An empty or all-zero address or mask is
// accepted (stored as empty); one no adapter can use (a host address that cannot be a host's, a
// mask with gaps) is refused by name.
class TfrmEditIP {
  public:
    explicit TfrmEditIP(EditIPView& view) : view_(view) {}
    bool Accepted = false;
    bool IsValid();
    // True when the dialog closes.
    bool sButton1Click() {
        if (!IsValid()) return false;
        Accepted = true;
        return true;
    }

  private:
    EditIPView& view_;
};

}  // namespace vt
