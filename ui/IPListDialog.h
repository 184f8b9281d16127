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
};

class TfrmIPList {
  public:
    explicit TfrmIPList(IPListView& view) : view_(view) {}

    // The caller's rows: one per address, with the mask of the same place, or an empty mask
    // where the masks run out.
    void SetPairs(const std::vector<std::string>& ips, const std::vector<std::string>& masks);
    void SetItem(int row, const std::string& ip, const std::string& mask);
    const std::vector<IPPair>& Rows() const { return rows_; }
    bool Accepted = false;

    void EditItem(int row);  // -1: a new row at the end
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

// The single-address dialog's logic: OK runs its check, which accepts every input.
class TfrmEditIP {
  public:
    bool Accepted = false;
    bool IsValid() const { return true; }
    // True when the dialog closes.
    bool sButton1Click() {
        if (!IsValid()) return false;
        Accepted = true;
        return true;
    }
};

}  // namespace vt
