// The card tabs: one per managed card, the current card, and the mark of the cards that the
// selected configuration changes.
#pragma once

#include <string>

#include "net/AdapterInventory.h"

namespace vt {

class TfrmMain;

// What the tabs' logic asks of the real tab control. SelectTab is an ordinary tab change: it asks
// tbCardsChanging first (which may refuse) and reports tbCardsChange after.
class CardTabsView {
  public:
    virtual ~CardTabsView() = default;
    virtual void ClearTabs() = 0;  // no tab selected afterwards
    // The card index goes into the tab's own data: it stays with the tab wherever it is dragged.
    virtual void AddTab(const std::string& caption, const std::string& hint, int cardIndex) = 0;
    virtual int TabCount() const = 0;
    virtual int SelectedTab() const = 0;  // -1 when none
    virtual void SelectTab(int tab) = 0;
    virtual int TabCardIndex(int tab) const = 0;
    virtual void SetTabImage(int tab, int image) = 0;
};

inline constexpr char kNoAdapters[] =
    "This program cannot continue because no network adapters were detected on this computer. ";
inline constexpr char kAdaptersChanged[] =
    "Network Adapter has been changed, please configure the network again. ";

class CardTabs {
  public:
    CardTabs(TfrmMain& main, CardTabsView& view) : main_(main), view_(view) {}

    void FillCardTabs();
    // The card of the current card index; raises when there is none.
    const TACard& CurrentCard() const;
    void SetTabMark(int tab, bool on) { view_.SetTabImage(tab, on ? 1 : 0); }

    bool tbCardsChanging();
    void tbCardsChange();

    int Count() const { return view_.TabCount(); }
    int CardIndexOf(int tab) const { return view_.TabCardIndex(tab); }
    int Selected() const { return view_.SelectedTab(); }

  private:
    TfrmMain& main_;
    CardTabsView& view_;
    int currentCardIndex_ = 0;
};

}  // namespace vt
