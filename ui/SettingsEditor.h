// The settings editor: the selected configuration's record for the current card, shown, edited,
// checked, saved and applied, and the save prompt before it is left.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/ConfigRecords.h"
#include "ui/ConfigNode.h"
#include "ui/FormState.h"
#include "ui/IPListDialog.h"

namespace vt {

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
    virtual std::string AddressText(EditorControl field) const = 0;  // Text: "..." when empty
    virtual void Focus(EditorControl control) = 0;
    // The address list dialog on the pairs: its rows on OK, nothing on Cancel.
    virtual std::optional<std::vector<IPPair>> EditAddressList(const TAddrType& ips,
                                                               const TAddrType& masks) = 0;
};

inline constexpr char kSavePrompt[] = "The settings has been changed, do you want to save? ";

class SettingsEditor {
  public:
    SettingsEditor(FormState& state, EditorView& view) : state_(state), view_(view) {}

    // Adds a configuration when the tree has none: the title box clicked in an empty tree.
    std::function<void()> EnsureConfiguration;

    // The selected configuration's record for the current card, with the tabs' marks, the
    // node's address lists and a clean state; the start state when none is selected. Every
    // selection, tab change, Save, Apply and Cancel ends here.
    void ShowSelection();
    void ShowCardConfig(const TCardConfig& record);
    // Empty fields, nothing checked but Enable and the two automatic boxes, all disabled but the
    // title box: before any configuration is selected, and after the last one went.
    void ShowStartState();
    void ShowEditorState(bool toConfig, bool toEnable, bool autoDHCP, bool autoDNS,
                         bool modified);
    // The static address and mask, the gateway and the DNS servers, where they are applied:
    // what no adapter can use is refused with a message naming the field; a gateway outside
    // every address's subnet is kept only when the user says so.
    bool ValidateEditor(const TConfigNode& node);
    // False when the user declined to overwrite another program's change: nothing was written.
    bool SaveEditor(TConfigNode& node, bool apply);

    // Before the selected configuration or tab changes: asks to save unsaved edits; false keeps
    // the selection. A save the system refuses raises, and the selection must stay too.
    bool ConfirmSave();

    void rbEnableClick();
    void checkSelectedClick();
    void btnIPMoreClick();
    void btnSaveClick();
    void btnApplyClick();
    void btnCancelClick();
    // Fills the editor with the current card's settings as they are now, as if typed.
    void actTakeCurrentExecute();
    bool CanTakeCurrentSettings() const { return state_.Selected != nullptr; }

  private:
    // False when the selected configuration's record could not be read when it was selected:
    // it is loaded again now, and the edit that asked is not taken.
    bool RecordShown();
    std::optional<uint32_t> Typed(EditorControl field) const;
    bool GatewayKept(const TConfigNode& node, uint32_t ip, uint32_t mask, uint32_t gateway);
    // ShowEditorState with the boxes as they stand.
    void ShowStateOfTheBoxes(bool modified);

    FormState& state_;
    EditorView& view_;
    // The selected configuration's record for the current card as it was loaded: what Save
    // tells the user's changes by. Nothing while no record is shown.
    std::optional<TCardConfig> shown_;
};

}  // namespace vt
