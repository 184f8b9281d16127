// The address list dialog's rows and buttons.
#include "ui/IPListDialog.h"

#include "core/AddressRules.h"
#include "core/ConfigRecords.h"
#include "ui/AddressChecks.h"

namespace vt {

void TfrmIPList::SetPairs(const std::vector<std::string>& ips,
                          const std::vector<std::string>& masks) {
    rows_.clear();
    for (size_t i = 0; i < ips.size(); ++i) {
        rows_.emplace_back();
        SetItem(static_cast<int>(i), ips[i], i < masks.size() ? masks[i] : std::string());
    }
    view_.ShowRows(rows_);
}

void TfrmIPList::SetItem(int row, const std::string& ip, const std::string& mask) {
    if (!HasRow(row)) return;
    rows_[row] = IPPair{ip, mask};
}

void TfrmIPList::EditItem(int row) {
    const bool existing = HasRow(row);
    // A longer list would be saved with a count the next load cuts.
    if (!existing && rows_.size() >= static_cast<size_t>(kMaxAddrListEntries)) {
        view_.Tell("A card can have at most " + std::to_string(kMaxAddrListEntries) +
                   " IP addresses.");
        return;
    }
    const std::optional<IPPair> edited = view_.EditPair(existing ? &rows_[row] : nullptr);
    if (!edited) return;
    if (!existing) {
        rows_.emplace_back();
        row = static_cast<int>(rows_.size()) - 1;
    }
    SetItem(row, edited->ip, edited->mask);
    view_.ShowRows(rows_);
    view_.SelectRow(row);
}

void TfrmIPList::MoveItem(int row, bool up, bool focusList) {
    if (!HasRow(row)) return;
    const int neighbour = up ? row - 1 : row + 1;
    if (!HasRow(neighbour)) return;
    std::swap(rows_[row], rows_[neighbour]);
    view_.ShowRows(rows_);
    view_.SelectRow(neighbour);
    if (focusList) view_.FocusList();
    view_.MakeRowVisible(neighbour);
}

void TfrmIPList::sSpeedButton3Click() {
    const int row = view_.SelectedRow();
    if (!HasRow(row)) return;
    rows_.erase(rows_.begin() + row);
    view_.ShowRows(rows_);
}

void TfrmIPList::sSpeedButton6Click() {
    rows_.clear();
    view_.ShowRows(rows_);
}

void TfrmIPList::sButton1Click() {
    Accepted = true;
    view_.Close();
}

bool TfrmEditIP::IsValid() {
    const auto refused = [&](EditIPField field, const std::string& text) {
        if (text.empty()) return false;
        view_.Tell(text);
        view_.Focus(field);
        return true;
    };
    // 0.0.0.0 is an empty field here, as an empty field is allowed: it is stored as empty.
    const auto typed = [&](EditIPField field) {
        const auto address = TypedAddress(view_.AddressText(field), view_.Address(field));
        return address == 0u ? std::nullopt : address;
    };
    const auto ip = typed(EditIPField::edtIP), mask = typed(EditIPField::edtMask);
    const bool usableMask = mask && WhyNoSubnetMask(*mask).empty();
    return !(ip && refused(EditIPField::edtIP,
                           FieldRefusal("IP Address:", *ip, WhyNoHostAddress(*ip), ""))) &&
           !(mask && refused(EditIPField::edtMask,
                             FieldRefusal("Subnet Mask:", *mask, WhyNoSubnetMask(*mask), ""))) &&
           !(ip && usableMask &&
             refused(EditIPField::edtIP,
                     FieldRefusal("IP Address:", *ip, WhyNoHostAddress(*ip, *mask), "")));
}

}  // namespace vt
