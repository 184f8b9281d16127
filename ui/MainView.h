// What the main window's logic asks of the real window: its caption, its tree, and ending the
// program.
#pragma once

#include <string>

#include "platform/Prompts.h"
#include "ui/ConfigNode.h"

namespace vt {

class MainView {
  public:
    virtual ~MainView() = default;

    virtual WindowHandle Handle() = 0;
    // The caption of the toolkit's own error reports.
    virtual void SetApplicationTitle(const std::string& title) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetConfigTitle(const std::string& title) = 0;

    virtual void ClearTree() = 0;
    virtual void SetTreeRedraw(bool enabled) = 0;
    // Appends a top-level item for the node; when `select`, selects it and starts editing its
    // label.
    virtual void AppendTreeNode(TConfigNode& node, int imageIndex, bool select) = 0;

    // Asks the application to end once the messages already queued have run.
    virtual void Terminate() = 0;
};

}  // namespace vt
