// The configuration tree's handlers and actions.
#include "ui/ConfigTree.h"

#include <algorithm>
#include <cstdio>

#include "base/AnsiText.h"
#include "core/CommandLine.h"
#include "core/ConfigNames.h"
#include "core/ConfigRecords.h"
#include "core/SettingsLayout.h"

namespace vt {

namespace {

constexpr char kNameEmpty[] = "The name cannot be empty.";
constexpr char kNameTaken[] = "The name you specified already exists. specify a different name.";
constexpr char kNameUnstorable[] =
    "The name cannot contain \"=\", begin with \";\", stand in brackets or quotes, nor begin or "
    "end with a blank.";
constexpr char kNameQuoted[] =
    "The name cannot hold a double quote: a shortcut could not pass it to the program.";
constexpr char kNameStartsTray[] =
    "The name is the program's tray-start argument: a shortcut to it would start the program in "
    "the tray.";

// The message box shows ANSI text only: the characters are named by their code points.
std::string CannotHold(const std::vector<uint32_t>& characters) {
    std::string list;
    for (size_t i = 0; i < characters.size(); ++i) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(characters[i]));
        list += i == 0 ? "" : i + 1 == characters.size() ? " and " : ", ";
        list += code;
    }
    return "The settings file cannot hold " + list +
           ", which the system's character set does not have.";
}

}  // namespace

void ConfigTree::Clear() {
    view_.ClearTree();
    state_.SetSelected(nullptr);
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
    Select(&added);
    view_.EditNodeLabel(added);
}

bool ConfigTree::ConfigNameExists(const std::string& name, const TConfigNode* except) const {
    // Letter case folds as the settings file folds it, or two names would share one key there.
    for (const auto& node : nodes_)
        if (node.get() != except && EqualsIgnoreCase(node->Text, name)) return true;
    return false;
}

void ConfigTree::Select(TConfigNode* node) {
    if (!tvConfigChanging()) return;
    view_.SelectNode(node);
    tvConfigChange(node);
}

bool ConfigTree::Shows(const std::vector<std::pair<std::string, std::string>>& configurations) const {
    if (configurations.size() != nodes_.size()) return false;
    for (size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i]->ConfigKey != configurations[i].first ||
            nodes_[i]->Text != configurations[i].second)
            return false;
    return true;
}

void ConfigTree::Follow(const std::vector<std::pair<std::string, std::string>>& configurations) {
    std::vector<std::unique_ptr<TConfigNode>> shown;
    for (const auto& configuration : configurations) {
        const std::string& key = configuration.first;
        const auto same = std::find_if(nodes_.begin(), nodes_.end(), [&](const auto& node) {
            return node && node->ConfigKey == key;
        });
        shown.push_back(same != nodes_.end() ? std::move(*same) : std::make_unique<TConfigNode>());
        shown.back()->ConfigKey = key;
        shown.back()->Text = configuration.second;
    }
    TConfigNode* selected = nullptr;
    for (const auto& node : shown)
        if (node.get() == state_.Selected()) selected = node.get();
    const FormState::UpdatingScope updating(state_);
    view_.ClearTree();
    nodes_ = std::move(shown);  // the nodes of configurations gone go only now, with their items
    for (const auto& node : nodes_) view_.AppendTreeNode(*node, 0);
    state_.SetSelected(selected);
    view_.SelectNode(selected);
    if (!selected) editor_.ShowSelection();  // none: the start state
}

void ConfigTree::tvConfigChange(TConfigNode* node) {
    state_.SetSelected(node);
    editor_.ShowSelection();
}

void ConfigTree::RejectName(TConfigNode& node, const std::string& why) {
    state_.Ask("Cannot rename \"" + node.Text + "\": " + why, "Rename - " + node.Text,
               kMbIconError);
    view_.ShowNodeText(node);
    view_.PostEditNode(node);
}

void ConfigTree::tvConfigEdited(TConfigNode& node, std::string text,
                                const std::vector<uint32_t>& unstorable) {
    // Stored as typed or not at all: never as a look-alike or a question mark.
    if (!unstorable.empty()) return RejectName(node, CannotHold(unstorable));
    if (text == node.Text) return;  // confirmed as it was: nothing to write
    if (text.empty()) return RejectName(node, kNameEmpty);
    if (ConfigNameExists(text, &node)) return RejectName(node, kNameTaken);
    if (text.find('"') != std::string::npos) return RejectName(node, kNameQuoted);
    if (!PassesAsArgument(text)) return RejectName(node, kNameStartsTray);
    if (!NameReadsBack(node.ConfigKey, text)) return RejectName(node, kNameUnstorable);
    if (!session_.RenameConfiguration(node.ConfigKey, node.Text, text))
        return RejectName(node, kNameTaken);
    node.Text = text;
    view_.ShowNodeText(node);
}

void ConfigTree::tvConfigMouseMove(const TConfigNode* node) {
    if (node) view_.SetTreeHint("  Configurations - " + node->Text);
}

void ConfigTree::actAddExecute() {
    state_.FollowTheFile();
    // The edits of the configuration being left are offered first; Cancel cancels the Add.
    if (!tvConfigChanging()) return;
    const std::string key = session_.platform.system.NewGuid();
    const std::string name = session_.AddConfiguration(
        key, [&](const std::string& candidate) { return ConfigNameExists(candidate); });
    const FormState::UpdatingScope updating(state_);
    AddConfigNode(key, name, true, 0);
}

void ConfigTree::actModifyExecute() {
    state_.FollowTheFile();
    if (TConfigNode* node = Selected()) view_.EditNodeLabel(*node);
}

void ConfigTree::actDeleteExecute() {
    state_.FollowTheFile();
    TConfigNode* node = Selected();
    if (!node) return;
    if (state_.Ask("Are you sure to delete this configurations? ", "Delete - " + node->Text,
                   kMbYesNo | kMbIconQuestion) != kIdYes)
        return;
    session_.DeleteConfiguration(node->ConfigKey, node->Text);
    // Its edits go with it: no prompt may write it back. The next node, else the previous one,
    // is selected the ordinary way.
    const auto at = std::find_if(nodes_.begin(), nodes_.end(),
                                 [&](const auto& each) { return each.get() == node; });
    TConfigNode* neighbour = at + 1 != nodes_.end() ? (at + 1)->get()
                             : at != nodes_.begin() ? (at - 1)->get()
                                                    : nullptr;
    state_.SetSelected(nullptr);
    view_.RemoveTreeNode(*node);
    nodes_.erase(at);
    Select(neighbour);
}

void ConfigTree::actApplyExecute() {
    state_.FollowTheFile();
    if (TConfigNode* node = Selected()) apply_.ApplyConfiguration(node->Text);
}

}  // namespace vt
