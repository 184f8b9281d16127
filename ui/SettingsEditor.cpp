// The settings editor's showing, states, checks, saving and buttons.
#include "ui/SettingsEditor.h"

#include <algorithm>

#include "core/AddressRules.h"
#include "core/ApplyEngine.h"
#include "core/ConfigRecords.h"
#include "core/ProductIdentity.h"
#include "net/DeviceControl.h"
#include "net/TcpipRegistry.h"
#include "ui/AddressChecks.h"

namespace vt {

namespace {

using C = EditorControl;

constexpr EditorControl kAddressFields[] = {C::edtIP, C::edtMask, C::edtGateway, C::edtDns0,
                                            C::edtDns1};
constexpr EditorControl kIPRows[] = {C::lbIP,   C::edtIP,     C::btnIPMore, C::lbMask,
                                     C::edtMask, C::lbGateway, C::edtGateway};
constexpr EditorControl kDNSRows[] = {C::lbDNS0, C::edtDns0, C::lbDNS1, C::edtDns1};

// An entry of a list, or the empty text where the list is shorter (a stored count of 0).
std::string Entry(const TAddrType& list, size_t index) {
    return index < list.size() ? list[index] : std::string();
}

// A record as the editor gives it back once shown: one gateway, two DNS servers, a mask for
// every address.
TCardConfig AsEdited(TCardConfig record) {
    record.Gateway = {Entry(record.Gateway, 0)};
    record.DNSAddr = {Entry(record.DNSAddr, 0), Entry(record.DNSAddr, 1)};
    record.SubnetMask.resize(record.IPAddr.size());
    return record;
}

}  // namespace

void SettingsEditor::ShowSelection() {
    draft_.reset();
    TConfigNode* node = state_.Selected();
    if (!node) {  // the last configuration went: nothing to load
        ShowStartState();
        return;
    }
    const TACard card = session_.Cards().Current();
    SettingsFile& settings = session_.Settings();
    const SettingsFile::Snapshot look(settings);
    TCardConfig record;
    try {
        record = LoadCardConfigOf(settings, node->ConfigKey, node->Text, card.CfgInstanceId);
    } catch (const SettingsUnreadable&) {
        // Never shown as if it were empty: nothing to edit until it can be read.
        ShowStartState();
        throw;
    }
    ShowRecord(record);
    const TabMarksView& tabs = state_.Tabs();
    const TCardList& cards = session_.Cards().List();
    for (int tab = 0; tab < tabs.TabCount(); ++tab) {
        const int cardIndex = tabs.TabCardIndex(tab);
        if (cardIndex < 0 || cardIndex >= static_cast<int>(cards.size())) continue;
        state_.SetTabMark(tab, StoredToConfig(settings, node->ConfigKey,
                                              cards[static_cast<size_t>(cardIndex)].CfgInstanceId));
    }
}

void SettingsEditor::ShowRecord(const TCardConfig& record) {
    Draft draft;
    draft.shown = AsEdited(record);
    draft.ips = draft.shown.IPAddr;
    draft.masks = draft.shown.SubnetMask;
    draft_ = std::move(draft);
    ShowCardConfig(record);
}

void SettingsEditor::ShowCardConfig(const TCardConfig& record) {
    if (state_.Updating()) return;
    const FormState::UpdatingScope updating(state_);
    view_.SetAddress(C::edtIP, Entry(record.IPAddr, 0));
    view_.SetAddress(C::edtMask, Entry(record.SubnetMask, 0));
    view_.SetAddress(C::edtGateway, Entry(record.Gateway, 0));
    view_.SetAddress(C::edtDns0, Entry(record.DNSAddr, 0));
    view_.SetAddress(C::edtDns1, Entry(record.DNSAddr, 1));
    ShowEditorState(record.ToConfig, record.ToEnable, record.AutoDHCP, record.AutoDNS,
                    record.Modified);
}

void SettingsEditor::ShowStartState() {
    const FormState::UpdatingScope updating(state_);
    for (EditorControl field : kAddressFields) view_.SetAddress(field, "");
    ShowEditorState(false, true, true, true, true);
}

void SettingsEditor::ShowEditorState(bool toConfig, bool toEnable, bool autoDHCP, bool autoDNS,
                                     bool modified) {
    // Each step reads what the steps before it set.
    view_.SetChecked(C::rbEnable, toEnable);
    view_.SetChecked(C::rbDisable, !toEnable);
    view_.SetChecked(C::checkSelected, toConfig);
    view_.SetChecked(C::checkIP, autoDHCP);
    view_.SetChecked(C::checkDNS, autoDNS && view_.IsChecked(C::checkIP));
    for (EditorControl control : {C::gbEditor, C::rbEnable, C::rbDisable})
        view_.SetEnabled(control, toConfig);
    view_.SetEnabled(C::checkIP, toConfig && toEnable);
    const bool ipRows = view_.IsEnabled(C::checkIP) && !view_.IsChecked(C::checkIP);
    for (EditorControl control : kIPRows) view_.SetEnabled(control, ipRows);
    view_.SetEnabled(C::checkDNS, toConfig && toEnable && view_.IsChecked(C::checkIP));
    const bool dnsRows = view_.IsEnabled(C::checkIP) && !view_.IsChecked(C::checkDNS);
    for (EditorControl control : kDNSRows) view_.SetEnabled(control, dnsRows);
    for (EditorControl control : {C::btnSave, C::btnCancel, C::btnApply})
        view_.SetEnabled(control, toConfig && modified);
}

void SettingsEditor::ShowStateOfTheBoxes(bool modified) {
    ShowEditorState(view_.IsChecked(C::checkSelected), view_.IsChecked(C::rbEnable),
                    view_.IsChecked(C::checkIP), view_.IsChecked(C::checkDNS), modified);
}

bool SettingsEditor::ConfirmSave() {
    TConfigNode* node = state_.Selected();
    if (state_.Updating() || !node || !Modified()) return true;
    const int answer = state_.Ask(kSavePrompt, "Save - " + node->Text,
                                  kMbYesNoCancel | kMbIconQuestion);
    if (answer == kIdNo) {
        draft_->modified = false;  // the edits are dropped
        return true;
    }
    // Yes stores what Save would, with its checks. A check that fails keeps the selection and
    // the edits, as Cancel does; so does a write the system refuses, which reaches the caller.
    // Declining to overwrite another program's change drops the edits, as No does.
    if (answer != kIdYes || !ValidateEditor(*node)) return false;
    SaveEditor(*node, false);  // for the card of the tab being left
    if (draft_) draft_->modified = false;
    return true;
}

bool SettingsEditor::RecordShown() {
    if (!state_.Selected() || draft_) return true;
    ShowSelection();  // the record could not be read before: try again, and take no edit
    return false;
}

void SettingsEditor::rbEnableClick() {
    if (state_.Updating() || !state_.Selected() || !RecordShown()) return;
    draft_->modified = true;
    ShowStateOfTheBoxes(true);
}

void SettingsEditor::checkSelectedClick() {
    state_.FollowTheFile();
    if (EnsureConfiguration) EnsureConfiguration();
    if (!RecordShown()) return;
    const bool checked = view_.IsChecked(C::checkSelected);
    if (TConfigNode* node = state_.Selected()) {
        const TACard& card = session_.Cards().Current();
        WriteToConfig(session_.Settings(), node->ConfigKey, card.CfgInstanceId, checked);
        if (draft_) draft_->shown.ToConfig = checked;  // stored: no longer an edit of this editor
        ShowStateOfTheBoxes(true);
    }
    const int tab = state_.Tabs().SelectedTab();
    if (tab >= 0) state_.SetTabMark(tab, checked);
}

void SettingsEditor::btnIPMoreClick() {
    state_.FollowTheFile();
    if (!state_.Selected() || !RecordShown()) return;
    const auto rows = view_.EditAddressList(draft_->ips, draft_->masks);
    if (!rows) return;
    draft_->ips.clear();
    draft_->masks.clear();
    for (const IPPair& row : *rows) {
        draft_->ips.push_back(row.ip);
        draft_->masks.push_back(row.mask);
    }
    // The fields show the first row: empty fields for a list of none.
    view_.SetAddress(C::edtIP, rows->empty() ? std::string() : rows->front().ip);
    view_.SetAddress(C::edtMask, rows->empty() ? std::string() : rows->front().mask);
    draft_->modified = true;
    ShowStateOfTheBoxes(true);
}

std::optional<uint32_t> SettingsEditor::Typed(EditorControl field) const {
    return TypedAddress(view_.AddressText(field), view_.Address(field));
}

bool SettingsEditor::ValidateEditor(const TConfigNode& node) {
    if (!view_.IsEnabled(C::checkIP)) return true;  // neither addresses nor servers are applied
    EditorAddresses typed;
    typed.staticIP = !view_.IsChecked(C::checkIP);
    if (typed.staticIP) {
        typed.ip = Typed(C::edtIP);
        typed.mask = Typed(C::edtMask);
        typed.gateway = Typed(C::edtGateway);
    }
    typed.staticDns = !view_.IsChecked(C::checkDNS);
    if (typed.staticDns) {
        typed.dns[0] = Typed(C::edtDns0);
        typed.dns[1] = Typed(C::edtDns1);
    }
    if (const auto refusal = RefusalOf(typed)) {
        static constexpr C kFields[] = {C::edtIP, C::edtMask, C::edtGateway, C::edtDns0,
                                        C::edtDns1};
        state_.Ask(refusal->text, "Save - " + node.Text, kMbIconInformation);
        view_.Focus(kFields[static_cast<int>(refusal->field)]);
        return false;
    }
    return !typed.gateway || GatewayKept(node, *typed.ip, *typed.mask, *typed.gateway);
}

// A gateway no address of the card can reach directly is most often a typing error; the user
// may still mean it (a route the network provides).
bool SettingsEditor::GatewayKept(const TConfigNode& node, uint32_t ip, uint32_t mask,
                                 uint32_t gateway) {
    if (InSubnet(gateway, ip, mask)) return true;
    const TAddrType none;
    const TAddrType& ips = draft_ ? draft_->ips : none;
    for (size_t i = 1; i < ips.size(); ++i) {
        const auto other = ParseIPv4(ips[i]);
        const auto otherMask = ParseIPv4(Entry(draft_->masks, i));
        if (other && otherMask && InSubnet(gateway, *other, *otherMask)) return true;
    }
    if (state_.Ask("Default Gateway: " + DottedIPv4(gateway) +
                       " is not in the subnet of any of the adapter's addresses. Keep it?",
                   "Save - " + node.Text, kMbYesNo | kMbIconQuestion) == kIdYes)
        return true;
    view_.Focus(C::edtGateway);
    return false;
}

std::optional<TCardConfig> SettingsEditor::SaveEditor(TConfigNode& node, bool apply) {
    const TACard card = session_.Cards().Current();
    TCardConfig record;
    record.ConfigName = node.Text;
    record.ConfigKey = node.ConfigKey;
    record.CardId = card.CfgInstanceId;
    record.Modified = false;
    record.ToConfig = view_.IsChecked(C::checkSelected);
    record.ToEnable = view_.IsChecked(C::rbEnable);
    record.AutoDHCP = view_.IsChecked(C::checkIP);
    record.AutoDNS = view_.IsChecked(C::checkDNS);
    // Entry 0 is what the fields show. An address typed into them with no list behind it (one
    // cleared, or stored with a count of 0) becomes the list's first entry.
    const std::string ip = view_.Address(C::edtIP), mask = view_.Address(C::edtMask);
    const bool typed = !ip.empty() || !mask.empty();
    const TAddrType none;
    const TAddrType& ips = draft_ ? draft_->ips : none;
    const size_t count = std::max<size_t>(ips.size(), typed ? 1 : 0);
    for (size_t i = 0; i < count; ++i) {
        record.IPAddr.push_back(i == 0 ? ip : ips[i]);
        record.SubnetMask.push_back(i == 0 ? mask : Entry(draft_->masks, i));
    }
    record.Gateway = {view_.Address(C::edtGateway)};
    record.DNSAddr = {view_.Address(C::edtDns0), view_.Address(C::edtDns1)};
    // What the user changed here goes over what the file holds now; a field another program
    // changed meanwhile is overwritten only when the user says so.
    const auto overwrite = [&] {
        return state_.Ask("\"" + node.Text + "\" for " + card.ConnectionName +
                              " was changed by another program. Overwrite it?",
                          "Save - " + node.Text, kMbYesNo | kMbIconQuestion) == kIdYes;
    };
    // Another program's changes beside the user's: a record the editor would refuse is not
    // written without the user's word.
    const auto keepMerged = [&](const TCardConfig& merged) {
        const auto refusal = RefusalOf(merged);
        return !refusal ||
               state_.Ask("\"" + node.Text + "\" for " + card.ConnectionName +
                              " was changed by another program too. Together with your changes: " +
                              refusal->text + " Save it anyway?",
                          "Save - " + node.Text, kMbYesNo | kMbIconQuestion) == kIdYes;
    };
    auto saved = SaveCardChanges(session_.Settings(), draft_ ? draft_->shown : TCardConfig{},
                                 record, overwrite, AsEdited, keepMerged);
    if (!saved) return std::nullopt;
    if (apply) applying_.ApplyCard(*saved, card);
    return saved;
}

void SettingsEditor::ShowSaved(const TConfigNode& node, const std::optional<TCardConfig>& saved) {
    // No: the other program's version. The selection may have moved while a device was switched:
    // then it shows already what it now selects.
    if (!saved) return ShowSelection();
    if (state_.Selected() != &node || session_.Cards().Current().CfgInstanceId != saved->CardId)
        return;
    ShowRecord(*saved);  // as saved: nothing read back
    const int tab = state_.Tabs().SelectedTab();
    if (tab >= 0) state_.SetTabMark(tab, saved->ToConfig);
}

void SettingsEditor::btnSaveClick() {
    state_.FollowTheFile();
    TConfigNode* node = state_.Selected();
    if (!node || !RecordShown() || !ValidateEditor(*node)) return;
    ShowSaved(*node, SaveEditor(*node, false));
}

void SettingsEditor::btnApplyClick() {
    state_.FollowTheFile();
    TConfigNode* node = state_.Selected();
    if (session_.Marks().cardBeingWritten || !node || !RecordShown() || !ValidateEditor(*node))
        return;
    ShowSaved(*node, SaveEditor(*node, true));
}

void SettingsEditor::btnCancelClick() {
    state_.FollowTheFile();
    if (state_.Selected()) ShowSelection();
}

void SettingsEditor::actTakeCurrentExecute() {
    state_.FollowTheFile();
    if (!state_.Selected() || !RecordShown()) return;
    const TACard card = session_.Cards().Current();
    const auto now = ReadCurrentTcpipSettings(session_.platform.registry, card.CfgInstanceId);
    if (!now) {
        state_.Ask("No current settings can be read for " + card.ConnectionName + ".",
                   kProductTitle, kMbIconInformation);
        return;
    }
    const bool enabled = !CardDeviceDisabled(session_.platform.devices, card);
    {
        const FormState::UpdatingScope updating(state_);
        // On DHCP the addresses typed before stay, as the user would leave them.
        if (!now->enableDhcp) {
            draft_->ips = now->ipAddresses;
            draft_->masks = now->subnetMasks;
            draft_->masks.resize(draft_->ips.size());
            view_.SetAddress(C::edtIP, Entry(draft_->ips, 0));
            view_.SetAddress(C::edtMask, Entry(draft_->masks, 0));
            view_.SetAddress(C::edtGateway, Entry(now->defaultGateways, 0));
        }
        // The DNS fields follow the card: a static card without servers has none. On DHCP without
        // servers the automatic box takes over, and what was typed stays.
        if (!now->enableDhcp || !now->nameServers.empty()) {
            view_.SetAddress(C::edtDns0, Entry(now->nameServers, 0));
            view_.SetAddress(C::edtDns1, Entry(now->nameServers, 1));
        }
    }
    // Unsaved, as typing is: Save stores it, Cancel brings back what was stored.
    draft_->modified = true;
    ShowEditorState(true, enabled, now->enableDhcp, now->nameServers.empty(), true);
}

}  // namespace vt
