// The card tabs' window side, with tab dragging.
#include "ui/win32/Win32CardTabsView.h"

#include "ui/win32/Controls.h"
#include "ui/win32/ControlTable.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/ErrorReport.h"
#include "ui/win32/MainWindowIds.h"

namespace vt::win32 {

void Win32CardTabsView::Create(HWND parent, CardTabs& logic, HIMAGELIST marks) {
    logic_ = &logic;
    CreateControls(parent, {{kIdTabs, WC_TABCONTROLA, "", WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, 0, 0}});
    tabs_ = TabControl(GetDlgItem(parent, kIdTabs));
    tabs_.SetImages(marks);
    Subclass(tabs_.Handle());
}

void Win32CardTabsView::SetDpi(UINT dpi) {
    tabs_.SetFont(MessageFont(dpi));
}

RECT Win32CardTabsView::PageArea() const {
    RECT area{};
    GetWindowRect(tabs_.Handle(), &area);
    MapWindowPoints(nullptr, GetParent(tabs_.Handle()), reinterpret_cast<POINT*>(&area), 2);
    return tabs_.PageArea(area);
}

void Win32CardTabsView::ClearTabs() {
    tabs_.Clear();
    hints_.clear();
}

void Win32CardTabsView::AddTab(const std::string& caption, const std::string& hint,
                               int cardIndex) {
    tabs_.Insert(TabCount(), caption, -1, cardIndex);
    hints_[cardIndex] = hint;
    if (TabCount() == 1 && onStripChanged) onStripChanged();
}

int Win32CardTabsView::TabCount() const {
    return tabs_.Count();
}

int Win32CardTabsView::SelectedTab() const {
    return tabs_.Selected();
}

void Win32CardTabsView::SelectTab(int tab) {
    tabs_.Select(tab);
}

int Win32CardTabsView::TabCardIndex(int tab) const {
    return static_cast<int>(tabs_.Data(tab));
}

void Win32CardTabsView::SetTabImage(int tab, int image) {
    tabs_.SetImage(tab, image);
}

bool Win32CardTabsView::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.code == TCN_SELCHANGING) {
        // Refused unless the logic allows it: a failed save keeps the tab, as Cancel does.
        result = TRUE;
        Guarded(GetParent(tabs_.Handle()), [&] { result = logic_->tbCardsChanging() ? FALSE : TRUE; });
        return true;
    }
    if (header.code == TCN_SELCHANGE) {
        logic_->tbCardsChange();
        result = 0;
        return true;
    }
    return false;
}

std::string Win32CardTabsView::HintAt(POINT screen) const {
    ScreenToClient(tabs_.Handle(), &screen);
    const int tab = tabs_.TabAt(screen);
    if (tab < 0) return std::string();
    const auto it = hints_.find(TabCardIndex(tab));
    return it == hints_.end() ? std::string() : it->second;
}

// Trades the dragged tab's place with the tab under the pointer; the card index travels with it.
void Win32CardTabsView::MoveDraggedTo(int tab) {
    const std::string caption = tabs_.Caption(dragged_);
    const int image = tabs_.Image(dragged_);
    const LPARAM card = tabs_.Data(dragged_);
    const bool wasSelected = SelectedTab() == dragged_;
    tabs_.Remove(dragged_);
    tabs_.Insert(tab, caption, image, card);
    if (wasSelected) tabs_.Select(tab);  // the same card: no change to report
    dragged_ = tab;
}

LRESULT Win32CardTabsView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
        case WM_LBUTTONDOWN:
            dragged_ = tabs_.TabAt(at);
            break;
        case WM_MOUSEMOVE:
            if ((wParam & MK_LBUTTON) && dragged_ >= 0) {
                const int over = tabs_.TabAt(at);
                if (over >= 0 && over != dragged_) MoveDraggedTo(over);
            }
            break;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            dragged_ = -1;
            break;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace vt::win32
