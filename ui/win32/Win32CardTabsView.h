// The card tabs: a tab control whose tabs carry their card index, show the change marks, and can be
// dragged into another order.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <string>

#include "platform/win32/WindowBase.h"
#include "ui/CardTabs.h"
#include "ui/win32/Controls.h"

namespace vt::win32 {

// The tab control, taken over for the dragging of its tabs.
class Win32CardTabsView : public CardTabsView, private WindowBase {
  public:
    // The tab control, its events going to `logic`.
    void Create(HWND parent, CardTabs& logic, HIMAGELIST marks);
    void SetMarks(HIMAGELIST marks) { tabs_.SetImages(marks); }
    // Its font at the DPI.
    void SetDpi(UINT dpi);
    HWND Tabs() const { return tabs_.Handle(); }
    // The area below the tab strip, in the parent's coordinates; it moves when the first tab
    // gives the strip its height, and then `onStripChanged` runs.
    RECT PageArea() const;
    std::function<void()> onStripChanged;

    // --- CardTabsView
    void ClearTabs() override;
    void AddTab(const std::string& caption, const std::string& hint, int cardIndex) override;
    int TabCount() const override;
    int SelectedTab() const override;
    void SelectTab(int tab) override;
    int TabCardIndex(int tab) const override;
    void SetTabImage(int tab, int image) override;

    bool OnNotify(const NMHDR& header, LRESULT& result);
    // The hint of the tab under the pointer, or empty.
    std::string HintAt(POINT screen) const;

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void MoveDraggedTo(int tab);

    CardTabs* logic_ = nullptr;
    TabControl tabs_;
    std::map<int, std::string> hints_;  // by card index: a tab keeps its hint wherever it goes
    int dragged_ = -1;
};

}  // namespace vt::win32
