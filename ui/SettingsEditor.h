// The settings editor: the selected configuration's record for the current card, shown, edited,
// checked, saved and applied, and the save prompt before it is left.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/ConfigRecords.h"
#include "core/ApplyFlow.h"
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
    SettingsEditor(ConfigSession& session, FormState& state, ApplyFlow& applying, EditorView& view)
        : session_(session), state_(state), applying_(applying), view_(view) {}

    // Adds a configuration when the tree has none: the title box clicked in an empty tree.
    std::function<void()> EnsureConfiguration;

    // The selected configuration's record for the current card, loaded by its key, with the
    // tabs' marks and a clean draft; the start state when none is selected. Every selection,
    // tab change and Cancel ends here.
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
    // The record as saved; nothing when the user declined to overwrite another program's change
    // (nothing was written).
    std::optional<TCardConfig> SaveEditor(TConfigNode& node, bool apply);

    // The draft holds edits the settings file does not have yet.
    bool Modified() const { return draft_ && draft_->modified; }
    // The draft's addresses and masks: entry 0 is mirrored by the fields, the others are edited
    // in the address list only.
    const TAddrType& AddressList() const { return draft_ ? draft_->ips : kNoAddresses; }
    const TAddrType& MaskList() const { return draft_ ? draft_->masks : kNoAddresses; }

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
    bool CanTakeCurrentSettings() const { return state_.Selected() != nullptr; }

  private:
    // The record of the selected configuration for the current card as the editor holds it:
    // loaded once, changed by the handlers, written by Save, dropped by Cancel.
    struct Draft {
        TCardConfig shown;     // as loaded, in the editor's form: what Save tells changes by
        TAddrType ips, masks;  // the address list; entry 0 is mirrored by the fields
        bool modified = false;
    };
    inline static const TAddrType kNoAddresses{};

    // A loaded or saved record into the draft and the controls.
    void ShowRecord(const TCardConfig& record);
    // After Save or Apply: the draft and the fields from the record as saved, the tab's mark.
    void ShowSaved(const TConfigNode& node, const std::optional<TCardConfig>& saved);
    // False when the selected configuration's record could not be read when it was selected:
    // it is loaded again now, and the edit that asked is not taken.
    bool RecordShown();
    std::optional<uint32_t> Typed(EditorControl field) const;
    bool GatewayKept(const TConfigNode& node, uint32_t ip, uint32_t mask, uint32_t gateway);
    // ShowEditorState with the boxes as they stand.
    void ShowStateOfTheBoxes(bool modified);

    ConfigSession& session_;
    FormState& state_;
    ApplyFlow& applying_;
    EditorView& view_;
    std::optional<Draft> draft_;  // nothing while no record is shown
};

}  // namespace vt
