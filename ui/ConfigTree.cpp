// The configuration tree's handlers and actions.
#include "ui/ConfigTree.h"

#include "base/AnsiText.h"
#include "base/ScopeExit.h"
#include "core/ConfigNames.h"
#include "core/ConfigRecords.h"
#include "core/SettingsLayout.h"
#include "ui/MainWindow.h"

namespace vt {

namespace {

constexpr char kNameEmpty[] = "The name cannot be empty.";
constexpr char kNameTaken[] = "The name you specified already exists. specify a different name.";
constexpr char kNameUnstorable[] =
    "The name cannot contain \"=\", begin with \";\", stand in brackets or quotes, nor begin or "
    "end with a blank.";

}  // namespace

void ConfigTree::Clear() {
    view_.ClearTree();
    nodes_.clear();
}

void ConfigTree::AddConfigNode(const std::string& key, const std::string& name, bool select,
                               int imageIndex) {
    auto node = std::make_unique<TConfigNode>();
    node->Text = name;
    node->ConfigKey = key;
    nodes_.push_back(std::move(node));
    TConfigNode& added = *nodes_.back();
    view_.AppendTreeNode(added, imageIndex);
    if (!select) return;
    view_.SelectNode(added);
    view_.EditNodeLabel(added);
}

bool ConfigTree::ConfigNameExists(const std::string& name, const TConfigNode* except) const {
    // Letter case folds as the settings file folds it, or two names would share one key there.
    for (const auto& node : nodes_)
        if (node.get() != except && EqualsIgnoreCase(node->Text, name)) return true;
    return false;
}

std::string ConfigTree::NewConfigName(const std::function<bool(const std::string&)>& taken) const {
    for (int n = 1;; ++n) {
        std::string name = "New Configuration" + std::to_string(n);
        if (!ConfigNameExists(name) && !(taken && taken(name))) return name;
    }
}

bool ConfigTree::ConfirmSave(TConfigNode* node) {
    if (main_.Updating || !node || !node->Modified) return true;
    const int answer = main_.Ask(kSavePrompt, "Save - " + node->Text,
                                 kMbYesNoCancel | kMbIconQuestion);
    if (answer == kIdNo) {
        node->Modified = false;  // the edits are dropped
        return true;
    }
    // Yes stores what Save would, with its checks. A check that fails keeps the selection and
    // the edits, as Cancel does; so does a write the system refuses, which reaches the caller.
    if (answer != kIdYes || !main_.Editor.ValidateEditor(*node)) return false;
    main_.Editor.SaveEditor(*node, false);  // for the card of the tab being left
    node->Modified = false;
    return true;
}

void ConfigTree::tvConfigChange(TConfigNode* node) {
    if (!node) {  // the last configuration went: nothing to load
        main_.Editor.ShowStartState();
        return;
    }
    const TACard card = main_.Tabs.CurrentCard();
    SettingsFile& settings = main_.Settings();
    const TCardConfig record = LoadCardConfig(settings, node->Text, card.CfgInstanceId);
    main_.Editor.ShowCardConfig(record);
    node->IPList = record.IPAddr;
    node->MaskList = record.SubnetMask;
    node->MaskList.resize(node->IPList.size());
    for (int tab = 0; tab < main_.Tabs.Count(); ++tab) {
        const int cardIndex = main_.Tabs.CardIndexOf(tab);
        if (cardIndex < 0 || cardIndex >= static_cast<int>(main_.Cards.size())) continue;
        const TCardConfig marked =
            LoadCardConfig(settings, node->Text, main_.Cards[cardIndex].CfgInstanceId);
        main_.Tabs.SetTabMark(tab, marked.ToConfig);
    }
    node->Modified = false;
}

void ConfigTree::RejectName(TConfigNode& node, const std::string& why) {
    main_.Ask("Cannot rename \"" + node.Text + "\": " + why, "Rename - " + node.Text,
              kMbIconError);
    view_.ShowNodeText(node);
    main_.Frame().PostEditNode(node);
}

void ConfigTree::tvConfigEdited(TConfigNode& node, std::string text) {
    if (text == node.Text) return;  // confirmed as it was: nothing to write
    if (text.empty()) return RejectName(node, kNameEmpty);
    if (ConfigNameExists(text, &node)) return RejectName(node, kNameTaken);
    if (!NameReadsBack(node.ConfigKey, text)) return RejectName(node, kNameUnstorable);
    // Both directions of the name in one write, checked against the file under its lock: a
    // refusal half-way, or a name another instance gave meanwhile, would leave a name that finds
    // no configuration, or another one.
    bool taken = false;
    main_.Settings().Update([&](SettingsFile::Batch& batch) {
        taken = NameTakenInFile(batch, text, node.ConfigKey);
        if (taken) return;
        batch.WriteString(settings::kConfigurations, node.ConfigKey, text);
        batch.DeleteKey(settings::kFriendlyName, node.Text);
        batch.WriteString(settings::kFriendlyName, text, node.ConfigKey);
    });
    if (taken) return RejectName(node, kNameTaken);
    node.Text = text;
    view_.ShowNodeText(node);
}

void ConfigTree::tvConfigMouseMove(const TConfigNode* node) {
    if (node) view_.SetTreeHint("  Configurations - " + node->Text);
}

void ConfigTree::actAddExecute() {
    // The edits of the configuration being left are offered first; Cancel cancels the Add.
    if (!ConfirmSave(Selected())) return;
    const std::string key = main_.platform().system.NewGuid();
    SettingsFile& settings = main_.Settings();
    const bool inMenu = settings.ReadBool(settings::kOptions, settings::kDefaultAddToMenu, true);
    std::string name;
    settings.Update([&](SettingsFile::Batch& batch) {
        // Free in the file too: another instance may have added one since.
        name = NewConfigName([&](const std::string& candidate) {
            return NameTakenInFile(batch, candidate);
        });
        batch.WriteString(settings::kConfigurations, key, name);
        batch.WriteString(settings::kFriendlyName, name, key);
        if (inMenu) batch.WriteBool(key, settings::kShowInMenu, true);
    });
    main_.Updating = true;
    ScopeExit notUpdating([&] { main_.Updating = false; });
    AddConfigNode(key, name, true, 0);
}

void ConfigTree::actModifyExecute() {
    if (TConfigNode* node = Selected()) view_.EditNodeLabel(*node);
}

void ConfigTree::actDeleteExecute() {
    TConfigNode* node = Selected();
    if (!node) return;
    if (main_.Ask("Are you sure to delete this configurations? ", "Delete - " + node->Text,
                  kMbYesNo | kMbIconQuestion) != kIdYes)
        return;
    // One write: a refusal keeps the whole configuration, never a part of it.
    main_.Settings().Update([&](SettingsFile::Batch& batch) {
        for (const TACard& card : main_.Cards)
            batch.EraseSection(CardSectionName(node->ConfigKey, card.CfgInstanceId));
        batch.EraseSection(node->ConfigKey);
        batch.DeleteKey(settings::kConfigurations, node->ConfigKey);
        batch.DeleteKey(settings::kFriendlyName, node->Text);
    });
    node->IPList.clear();
    node->MaskList.clear();
    node->Modified = false;  // its edits go with it: no prompt may write it back
    view_.RemoveTreeNode(*node);
    for (auto it = nodes_.begin(); it != nodes_.end(); ++it)
        if (it->get() == node) {
            nodes_.erase(it);
            break;
        }
}

void ConfigTree::actApplyExecute() {
    if (TConfigNode* node = Selected()) main_.ApplyConfiguration(node->Text);
}

}  // namespace vt
