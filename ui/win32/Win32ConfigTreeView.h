// The configuration tree and its title bar: the tree control, its notifications to the logic,
// the underlined selected node, the pop-up menu, and a hidden window of the view's own for the two
// round trips it posts to itself.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/WindowBase.h"
#include "ui/ConfigTree.h"
#include "ui/win32/Controls.h"

namespace vt::win32 {

class Win32ConfigTreeView : public ConfigTreeView, private WindowBase {
  public:
    // The title and the tree, its events going to `logic`.
    void Create(HWND parent, ConfigTree& logic, HIMAGELIST images, UINT dpi);
    void SetImages(HIMAGELIST images) { tree_.SetImages(images); }
    // Its font, indent and item height at the DPI.
    void SetDpi(UINT dpi);
    void Place(int x, int y, int width, int height);
    HWND Tree() const { return tree_.Handle(); }
    HWND Title() const { return title_; }

    // --- ConfigTreeView
    void ClearTree() override;
    void SetTreeRedraw(bool enabled) override;
    void AppendTreeNode(TConfigNode& node, int imageIndex) override;
    void SelectNode(TConfigNode* node) override;
    void RemoveTreeNode(TConfigNode& node) override;
    void EditNodeLabel(TConfigNode& node) override;
    void PostEditNode(TConfigNode& node) override;
    void ShowNodeText(TConfigNode& node) override;
    void SetTreeHint(const std::string& hint) override { hint_ = hint; }

    // The tree's notifications; true when handled, with the result to return.
    bool OnNotify(const NMHDR& header, LRESULT& result);
    // The pointer moved over the tree: the hint of the node under it.
    const std::string& HintAt(POINT screen);
    bool IsEditingLabel() const { return tree_.IsEditingLabel(); }
    // The tree's pop-up menu; the position as WM_CONTEXTMENU gives it (-1: from the keyboard).
    void ShowMenu(LPARAM position);

  private:
    // The messages the view posts to its hidden window.
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Hands the ended label edit to the logic.
    void NodeEdited();
    HTREEITEM ItemOf(const TConfigNode& node) const;
    TConfigNode* NodeOf(HTREEITEM item) const;
    LRESULT CustomDraw(NMTVCUSTOMDRAW& draw);

    ConfigTree* logic_ = nullptr;
    UINT dpi_ = 96;
    // Set while the logic changes the tree: the tree's own notifications are not the user's.
    bool changing_ = false;
    HWND title_ = nullptr;
    TreeView tree_;
    std::string hint_;
    TConfigNode* editedNode_ = nullptr;
    std::string editedText_;
    std::vector<uint32_t> editedUnstorable_;  // what the ANSI text lost of what was typed
    HWND labelEdit_ = nullptr;                  // the edit box of the label edit under way
    UniqueFont underlined_;
    UniqueMenu menu_;
};

}  // namespace vt::win32
