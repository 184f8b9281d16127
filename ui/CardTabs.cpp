// The card tabs: building them, the current card, the tab change.
#include "ui/CardTabs.h"

#include "base/Error.h"
#include "base/ScopeExit.h"
#include "ui/MainWindow.h"

namespace vt {

void CardTabs::FillCardTabs() {
    {
        main_.Updating = true;
        ScopeExit notUpdating([&] { main_.Updating = false; });
        view_.ClearTabs();
        for (size_t i = 0; i < main_.Cards.size(); ++i) {
            const TACard& card = main_.Cards[i];
            view_.AddTab(card.ConnectionName + "  ", "|" + card.DriverDesc, static_cast<int>(i));
        }
    }
    // An ordinary tab change: the save prompt may refuse it, leaving no tab selected.
    if (view_.TabCount() > 0) view_.SelectTab(0);
}

const TACard& CardTabs::CurrentCard() const {
    if (main_.Cards.empty()) throw Error(kNoAdapters);
    if (currentCardIndex_ < 0 || currentCardIndex_ >= static_cast<int>(main_.Cards.size()))
        throw Error(kAdaptersChanged);
    return main_.Cards[currentCardIndex_];
}

bool CardTabs::tbCardsChanging() {
    return main_.Tree.ConfirmSave(main_.Tree.Selected());
}

void CardTabs::tbCardsChange() {
    if (main_.Updating) return;
    const int tab = view_.SelectedTab();
    if (tab < 0) return;
    currentCardIndex_ = view_.TabCardIndex(tab);
    if (TConfigNode* node = main_.Tree.Selected()) main_.Tree.tvConfigChange(node);
}

}  // namespace vt
