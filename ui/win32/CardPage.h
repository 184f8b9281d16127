// The card page inside the tab control: it holds the status panel and the editor, and hands what
// their controls report to the main window.
#pragma once

#include <windows.h>

#include "platform/win32/WindowBase.h"

namespace vt::win32 {

class CardPage : public WindowBase {
  public:
    void Create(HWND parent, int id);

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace vt::win32
