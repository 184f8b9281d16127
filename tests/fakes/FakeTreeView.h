// The configuration tree in memory: records what the logic set, and clicks as a user would.
#pragma once

#include <string>
#include <vector>

#include "ui/ConfigTree.h"

namespace vt::fakes {

class FakeTreeView : public ConfigTreeView {
  public:
    ConfigTree* tree = nullptr;  // told of the user's clicks

    struct Item {
        TConfigNode* node;
        std::string text;
        int image;
    };
    std::vector<Item> items;
    TConfigNode* selected = nullptr;
    TConfigNode* editing = nullptr;
    std::vector<TConfigNode*> postedEdits;  // WM_EDITNODE
    bool redraw = true;
    int redrawOffCalls = 0;
    std::string treeHint;

    void ClearTree() override { items.clear(), selected = editing = nullptr; }
    void SetTreeRedraw(bool enabled) override {
        redraw = enabled;
        if (!enabled) ++redrawOffCalls;
    }
    void AppendTreeNode(TConfigNode& node, int imageIndex) override {
        items.push_back({&node, node.Text, imageIndex});
    }
    void SelectNode(TConfigNode* node) override { selected = node; }
    void RemoveTreeNode(TConfigNode& node) override {
        for (auto it = items.begin(); it != items.end(); ++it)
            if (it->node == &node) {
                items.erase(it);
                break;
            }
        if (editing == &node) editing = nullptr;
        if (selected == &node) selected = nullptr;
    }
    void EditNodeLabel(TConfigNode& node) override { editing = &node; }
    void PostEditNode(TConfigNode& node) override { postedEdits.push_back(&node); }
    void ShowNodeText(TConfigNode& node) override {
        for (Item& item : items)
            if (item.node == &node) item.text = node.Text;
    }
    void SetTreeHint(const std::string& hint) override { treeHint = hint; }

    // A click on a node: the tree asks first and reports the change after.
    void UserSelects(TConfigNode* node) {
        if (!tree->tvConfigChanging()) return;
        selected = node;
        tree->tvConfigChange(node);
    }
    TConfigNode* Node(const std::string& text) const {
        for (const Item& item : items)
            if (item.node->Text == text) return item.node;
        return nullptr;
    }
};

}  // namespace vt::fakes
