// The card tabs in memory: records what the logic set, and clicks as a user would.
#pragma once

#include <string>
#include <vector>

#include "ui/CardTabs.h"

namespace vt::fakes {

class FakeTabsView : public CardTabsView {
  public:
    CardTabs* cardTabs = nullptr;  // told of the user's clicks

    struct Tab {
        std::string caption, hint;
        int card;
        int image = -1;
    };
    std::vector<Tab> tabs;
    int selectedTab = -1;

    void ClearTabs() override { tabs.clear(), selectedTab = -1; }
    void AddTab(const std::string& text, const std::string& hint, int cardIndex) override {
        tabs.push_back({text, hint, cardIndex});
    }
    int TabCount() const override { return static_cast<int>(tabs.size()); }
    int SelectedTab() const override { return selectedTab; }
    void SelectTab(int tab) override { selectedTab = tab; }
    int TabCardIndex(int tab) const override { return tabs.at(tab).card; }
    void SetTabImage(int tab, int image) override { tabs.at(tab).image = image; }

    // A click on a tab: the tab control asks first and reports the change after.
    void UserSelectsTab(int tab) {
        if (!cardTabs->tbCardsChanging()) return;
        selectedTab = tab;
        cardTabs->tbCardsChange();
    }
};

}  // namespace vt::fakes
