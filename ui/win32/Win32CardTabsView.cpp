// The card tabs' window side, with tab dragging.
#include "ui/win32/Win32CardTabsView.h"

#include "ui/win32/Controls.h"
#include "ui/win32/ControlTable.h"
#include "platform/win32/ErrorReport.h"
#include "ui/win32/MainWindowIds.h"

namespace vt::win32 {

void Win32CardTabsView::Create(HWND parent, HIMAGELIST marks) {
    CreateControls(parent, {{kIdTabs, WC_TABCONTROLA, "", WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, 0, 0}});
    tabs_ = GetDlgItem(parent, kIdTabs);
    TabCtrl_SetImageList(tabs_, marks);
    Subclass(tabs_);
}

RECT Win32CardTabsView::PageArea() const {
    RECT area{};
    GetWindowRect(tabs_, &area);
    MapWindowPoints(nullptr, GetParent(tabs_), reinterpret_cast<POINT*>(&area), 2);
    TabCtrl_AdjustRect(tabs_, FALSE, &area);
    return area;
}

void Win32CardTabsView::ClearTabs() {
    TabCtrl_DeleteAllItems(tabs_);
    hints_.clear();
}

void Win32CardTabsView::AddTab(const std::string& caption, const std::string& hint,
                               int cardIndex) {
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_PARAM | TCIF_IMAGE;
    item.pszText = const_cast<char*>(caption.c_str());
    item.iImage = -1;
    item.lParam = cardIndex;
    SendMessageA(tabs_, TCM_INSERTITEMA, static_cast<WPARAM>(TabCount()),
                 reinterpret_cast<LPARAM>(&item));
    hints_[cardIndex] = hint;
    if (TabCount() == 1 && onStripChanged) onStripChanged();
}

int Win32CardTabsView::TabCount() const {
    return TabCtrl_GetItemCount(tabs_);
}

int Win32CardTabsView::SelectedTab() const {
    return TabCtrl_GetCurSel(tabs_);
}

void Win32CardTabsView::SelectTab(int tab) {
    TabCtrl_SetCurSel(tabs_, tab);  // sends no notifications
}

int Win32CardTabsView::TabCardIndex(int tab) const {
    TCITEMA item{};
    item.mask = TCIF_PARAM;
    SendMessageA(tabs_, TCM_GETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
    return static_cast<int>(item.lParam);
}

void Win32CardTabsView::SetTabImage(int tab, int image) {
    TCITEMA item{};
    item.mask = TCIF_IMAGE;
    item.iImage = image;
    SendMessageA(tabs_, TCM_SETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
}

bool Win32CardTabsView::OnNotify(const NMHDR& header, LRESULT& result) {
    if (!logic_) return false;
    if (header.code == TCN_SELCHANGING) {
        // Refused unless the logic allows it: a failed save keeps the tab, as Cancel does.
        result = TRUE;
        Guarded(GetParent(tabs_), [&] { result = logic_->tbCardsChanging() ? FALSE : TRUE; });
        return true;
    }
    if (header.code == TCN_SELCHANGE) {
        logic_->tbCardsChange();
        result = 0;
        return true;
    }
    return false;
}

int Win32CardTabsView::TabAt(POINT client) const {
    TCHITTESTINFO hit{};
    hit.pt = client;
    return TabCtrl_HitTest(tabs_, &hit);
}

std::string Win32CardTabsView::HintAt(POINT screen) const {
    ScreenToClient(tabs_, &screen);
    const int tab = TabAt(screen);
    if (tab < 0) return std::string();
    const auto it = hints_.find(TabCardIndex(tab));
    return it == hints_.end() ? std::string() : it->second;
}

// Trades the dragged tab's place with the tab under the pointer; the card index travels with it.
void Win32CardTabsView::MoveDraggedTo(int tab) {
    char text[256] = {};
    TCITEMA moving{};
    moving.mask = TCIF_TEXT | TCIF_PARAM | TCIF_IMAGE;
    moving.pszText = text;
    moving.cchTextMax = sizeof text;
    SendMessageA(tabs_, TCM_GETITEMA, static_cast<WPARAM>(dragged_), reinterpret_cast<LPARAM>(&moving));
    const bool wasSelected = SelectedTab() == dragged_;
    TabCtrl_DeleteItem(tabs_, dragged_);
    SendMessageA(tabs_, TCM_INSERTITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&moving));
    if (wasSelected) TabCtrl_SetCurSel(tabs_, tab);  // the same card: no change to report
    dragged_ = tab;
}

LRESULT Win32CardTabsView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
        case WM_LBUTTONDOWN:
            dragged_ = TabAt(at);
            break;
        case WM_MOUSEMOVE:
            if ((wParam & MK_LBUTTON) && dragged_ >= 0) {
                const int over = TabAt(at);
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
