// The configuration tree: adding, renaming and deleting configurations, the selection change that
// shows a configuration in the editor, the hover hint.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/ApplyFlow.h"
#include "ui/ConfigNode.h"
#include "ui/FormState.h"
#include "ui/SettingsEditor.h"

namespace vt {

// What the tree's logic asks of the real tree. Every call only sets what it says: the logic asks
// before it changes the selection and reports the change itself.
class ConfigTreeView {
  public:
    virtual ~ConfigTreeView() = default;
    virtual void ClearTree() = 0;
    virtual void SetTreeRedraw(bool enabled) = 0;
    virtual void AppendTreeNode(TConfigNode& node, int imageIndex) = 0;
    virtual void SelectNode(TConfigNode* node) = 0;  // none: no node selected
    virtual void RemoveTreeNode(TConfigNode& node) = 0;
    virtual void EditNodeLabel(TConfigNode& node) = 0;
    // Starts the node's label edit again once the edit under way has ended: EditNode, later.
    virtual void PostEditNode(TConfigNode& node) = 0;
    // The node's text changed: show it.
    virtual void ShowNodeText(TConfigNode& node) = 0;
    // The long hint that the status bar shows while the pointer is over the tree.
    virtual void SetTreeHint(const std::string& hint) = 0;
};

class ConfigTree {
  public:
    ConfigTree(ConfigSession& session, FormState& state, SettingsEditor& editor, ApplyFlow& apply,
               ConfigTreeView& view)
        : session_(session), state_(state), editor_(editor), apply_(apply), view_(view) {}

    const std::vector<std::unique_ptr<TConfigNode>>& Nodes() const { return nodes_; }
    TConfigNode* Selected() const { return state_.Selected(); }

    void Clear();
    void AddConfigNode(const std::string& key, const std::string& name, bool select,
                       int imageIndex);
    // Whether a node other than `except` has that name, letter case aside.
    bool ConfigNameExists(const std::string& name, const TConfigNode* except = nullptr) const;
    // Selects the node (or none) as a click does: asks first, reports after.
    void Select(TConfigNode* node);
    // Whether the tree shows exactly these configurations (key, name), in this order.
    bool Shows(const std::vector<std::pair<std::string, std::string>>& configurations) const;
    // Shows these configurations instead, in their order: a configuration that stays keeps its
    // node, with its new name; the selection stays with its configuration, or there is none and
    // the editor returns to its start state.
    void Follow(const std::vector<std::pair<std::string, std::string>>& configurations);

    bool tvConfigChanging() { return editor_.ConfirmSave(); }
    void tvConfigChange(TConfigNode* node);
    // `unstorable`: the characters typed that the ANSI code page has no form for, which `text`
    // holds only as look-alikes or question marks.
    void tvConfigEdited(TConfigNode& node, std::string text,
                        const std::vector<uint32_t>& unstorable = {});
    void tvConfigMouseMove(const TConfigNode* node);
    // The label edit PostEditNode asked for.
    void EditNode(TConfigNode& node) { view_.EditNodeLabel(node); }

    void actAddExecute();
    void actModifyExecute();
    void actDeleteExecute();
    void actApplyExecute();

  private:
    // Keeps the old name and starts the label edit again.
    void RejectName(TConfigNode& node, const std::string& why);

    ConfigSession& session_;
    FormState& state_;
    SettingsEditor& editor_;
    ApplyFlow& apply_;
    ConfigTreeView& view_;
    std::vector<std::unique_ptr<TConfigNode>> nodes_;
};

}  // namespace vt
