// The bar between the tree and the tabs: dragging it gives the left pane another width.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/win32/WindowBase.h"

namespace vt::win32 {

inline constexpr int kSplitterWidth = 4;

class Splitter : public WindowBase {
  public:
    // The left pane's width while the bar is dragged, kept between the limits.
    std::function<void(int width)> onDrag;
    static constexpr int kMinLeftWidth = 120, kMaxLeftWidth = 320;

    void Create(HWND parent, int id);

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace vt::win32
