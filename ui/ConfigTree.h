// The configuration tree: adding, renaming and deleting configurations, the selection change that
// loads the editor, the save prompt, the hover hint.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/ConfigNode.h"

namespace vt {

class TfrmMain;

// What the tree's logic asks of the real tree. Selection changes it makes are ordinary ones: the
// tree asks tvConfigChanging first (which may refuse) and reports tvConfigChange after.
class ConfigTreeView {
  public:
    virtual ~ConfigTreeView() = default;
    virtual void ClearTree() = 0;
    virtual void SetTreeRedraw(bool enabled) = 0;
    virtual void AppendTreeNode(TConfigNode& node, int imageIndex) = 0;
    virtual void SelectNode(TConfigNode& node) = 0;
    // Removes the node; when it was selected the tree selects a neighbour, or none.
    virtual void RemoveTreeNode(TConfigNode& node) = 0;
    virtual void EditNodeLabel(TConfigNode& node) = 0;
    // The node's text changed: show it.
    virtual void ShowNodeText(TConfigNode& node) = 0;
    virtual TConfigNode* SelectedNode() const = 0;
    // The long hint that the status bar shows while the pointer is over the tree.
    virtual void SetTreeHint(const std::string& hint) = 0;
};

inline constexpr char kSavePrompt[] = "The settings has been changed, do you want to save? ";

class ConfigTree {
  public:
    ConfigTree(TfrmMain& main, ConfigTreeView& view) : main_(main), view_(view) {}

    const std::vector<std::unique_ptr<TConfigNode>>& Nodes() const { return nodes_; }
    TConfigNode* Selected() const { return view_.SelectedNode(); }

    void Clear();
    void AddConfigNode(const std::string& key, const std::string& name, bool select,
                       int imageIndex);
    // Whether a node other than `except` has that name, letter case aside.
    bool ConfigNameExists(const std::string& name, const TConfigNode* except = nullptr) const;
    // "New Configuration" and the first number whose name no node has and `taken` refuses.
    std::string NewConfigName(const std::function<bool(const std::string&)>& taken = {}) const;

    // Before the selected configuration or tab changes: asks to save unsaved edits; false
    // keeps the selection. A save the system refuses raises, and the selection must stay too.
    bool ConfirmSave(TConfigNode* node);

    bool tvConfigChanging() { return ConfirmSave(Selected()); }
    void tvConfigChange(TConfigNode* node);
    void tvConfigEdited(TConfigNode& node, std::string text);
    void tvConfigMouseMove(const TConfigNode* node);
    void EditNode(TConfigNode& node) { view_.EditNodeLabel(node); }  // WM_EDITNODE

    void actAddExecute();
    void actModifyExecute();
    void actDeleteExecute();
    void actApplyExecute();

  private:
    // Keeps the old name and starts the label edit again.
    void RejectName(TConfigNode& node, const std::string& why);

    TfrmMain& main_;
    ConfigTreeView& view_;
    std::vector<std::unique_ptr<TConfigNode>> nodes_;
};

}  // namespace vt
