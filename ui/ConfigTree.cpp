// The configuration tree's handlers and actions.
#include "ui/ConfigTree.h"

#include "base/ScopeExit.h"
#include "core/ConfigRecords.h"
#include "core/IniDocument.h"
#include "core/SettingsLayout.h"
#include "ui/MainWindow.h"

namespace vt {

namespace {

// Equal lengths and equal characters once A-Z are folded to a-z; no other letters fold.
bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

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

bool ConfigTree::ConfigNameExists(const std::string& name) const {
    for (const auto& node : nodes_)
        if (EqualsIgnoringAsciiCase(node->Text, name)) return true;
    return false;
}

std::string ConfigTree::NewConfigName() const {
    for (int n = 1;; ++n) {
        std::string name = "New Configuration" + std::to_string(n);
        if (!ConfigNameExists(name)) return name;
    }
}

bool ConfigTree::ConfirmSave(TConfigNode* node) {
    if (main_.Updating || !node || !node->Modified) return true;
    const int answer = main_.Ask(kSavePrompt, "Save - " + node->Text,
                                 kMbYesNoCancel | kMbIconQuestion);
    if (answer == kIdYes) {
        main_.Editor.SaveEditor(*node, false);  // for the card of the tab being left
        node->Modified = false;
        return true;
    }
    return answer == kIdNo;
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

void ConfigTree::RejectName(TConfigNode& node, std::string& text, const std::string& why) {
    main_.Ask("Cannot rename \"" + node.Text + "\": " + why, "Rename - " + node.Text,
              kMbIconError);
    text = node.Text;
    main_.Frame().PostEditNode(node);
}

void ConfigTree::tvConfigEdited(TConfigNode& node, std::string text) {
    if (text.empty()) {
        RejectName(node, text, "The name cannot be empty.");
    } else if (ConfigNameExists(text)) {
        RejectName(node, text,
                   "The name you specified already exists. specify a different name.");
    } else if (!IniDocument::ReadsBackAsWritten(settings::kFriendlyName, text, node.ConfigKey)) {
        // The settings file would not find the configuration again under such a name.
        RejectName(node, text,
                   "The name cannot contain \"=\" or begin with \";\", nor begin or end with a "
                   "blank.");
    } else {
        // Both directions of the name in one write: a refusal half-way would leave a name
        // that finds no configuration.
        main_.Settings().Update([&](SettingsFile::Batch& batch) {
            batch.WriteString(settings::kConfigurations, node.ConfigKey, text);
            batch.DeleteKey(settings::kFriendlyName, node.Text);
            batch.WriteString(settings::kFriendlyName, text, node.ConfigKey);
        });
    }
    node.Text = text;
    view_.ShowNodeText(node);
}

void ConfigTree::tvConfigMouseMove(const TConfigNode* node) {
    if (node) view_.SetTreeHint("  Configurations - " + node->Text);
}

void ConfigTree::actAddExecute() {
    const std::string name = NewConfigName();
    const std::string key = main_.platform().system.NewGuid();
    SettingsFile& settings = main_.Settings();
    const bool inMenu = settings.ReadBool(settings::kOptions, settings::kDefaultAddToMenu, true);
    settings.Update([&](SettingsFile::Batch& batch) {
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
