// The settings editor: one configuration's record for the current card, shown, edited, checked,
// saved and applied.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/ConfigRecords.h"
#include "ui/ConfigNode.h"
#include "ui/IPListDialog.h"

namespace vt {

class TfrmMain;

// The editor's controls, named as the window names them.
enum class EditorControl {
    gbEditor, checkSelected, rbEnable, rbDisable, checkIP, lbIP, edtIP, btnIPMore, lbMask,
    edtMask, lbGateway, edtGateway, checkDNS, lbDNS0, edtDns0, lbDNS1, edtDns1, btnSave,
    btnCancel, btnApply
};

// What the editor's logic asks of its controls. Writing an address field tells the editor of the
// change (any change of its text) as the real field does.
class EditorView {
  public:
    virtual ~EditorView() = default;
    virtual void SetChecked(EditorControl control, bool checked) = 0;
    virtual bool IsChecked(EditorControl control) const = 0;
    virtual void SetEnabled(EditorControl control, bool enabled) = 0;
    virtual bool IsEnabled(EditorControl control) const = 0;
    virtual void SetAddress(EditorControl field, const std::string& text) = 0;  // Text
    virtual std::string Address(EditorControl field) const = 0;                 // IPText
    virtual void Focus(EditorControl control) = 0;
    // The address list dialog on the pairs: its rows on OK, nothing on Cancel.
    virtual std::optional<std::vector<IPPair>> EditAddressList(const TAddrType& ips,
                                                               const TAddrType& masks) = 0;
};

class SettingsEditor {
  public:
    SettingsEditor(TfrmMain& main, EditorView& view) : main_(main), view_(view) {}

    void ShowCardConfig(const TCardConfig& record);
    // Empty fields, nothing checked but Enable and the two automatic boxes, all disabled but the
    // title box: before any configuration is selected, and after the last one went.
    void ShowStartState();
    void ShowEditorState(bool toConfig, bool toEnable, bool autoDHCP, bool autoDNS,
                         bool modified);
    bool ValidateEditor(const TConfigNode& node);
    void SaveEditor(TConfigNode& node, bool apply);

    void rbEnableClick();
    void checkSelectedClick();
    void btnIPMoreClick();
    void btnSaveClick();
    void btnApplyClick();
    void btnCancelClick();

  private:
    // ShowEditorState with the boxes as they stand.
    void ShowStateOfTheBoxes(bool modified);

    TfrmMain& main_;
    EditorView& view_;
};

}  // namespace vt
