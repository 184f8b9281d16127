// The bar between the tree and the tabs: dragging it gives the left pane another width.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/win32/WindowBase.h"

namespace vt::win32 {

inline constexpr int kSplitterWidth = 4;  // at 96 DPI

class Splitter : public WindowBase {
  public:
    // Where the pointer is in the parent, while the bar is dragged: the left pane's width.
    std::function<void(int x)> onDrag;

    void Create(HWND parent, int id);

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace vt::win32
