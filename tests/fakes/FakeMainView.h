// A main window that records what the logic set: caption, titles, tree items, and the request to
// end.
#pragma once

#include <string>
#include <vector>

#include "ui/MainView.h"

namespace vt::fakes {

class FakeMainView : public MainView {
  public:
    struct Item {
        TConfigNode* node;
        std::string text;
        int image;
    };
    std::string applicationTitle, caption, configTitle;
    std::vector<Item> items;
    TConfigNode* selected = nullptr;
    TConfigNode* editing = nullptr;
    bool redraw = true;
    int redrawOffCalls = 0;
    bool terminated = false;

    WindowHandle Handle() override { return 0x1234; }
    void SetApplicationTitle(const std::string& title) override { applicationTitle = title; }
    void SetCaption(const std::string& text) override { caption = text; }
    void SetConfigTitle(const std::string& title) override { configTitle = title; }
    void ClearTree() override { items.clear(), selected = editing = nullptr; }
    void SetTreeRedraw(bool enabled) override {
        redraw = enabled;
        if (!enabled) ++redrawOffCalls;
    }
    void AppendTreeNode(TConfigNode& node, int imageIndex, bool select) override {
        items.push_back({&node, node.Text, imageIndex});
        if (select) selected = editing = &node;
    }
    void Terminate() override { terminated = true; }
};

}  // namespace vt::fakes
