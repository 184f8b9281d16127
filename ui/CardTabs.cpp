// The card tabs: building them and the tab change.
#include "ui/CardTabs.h"

namespace vt {

void CardTabs::FillCardTabs() {
    {
        const FormState::UpdatingScope updating(state_);
        view_.ClearTabs();
        const TCardList& cards = session_.Cards().List();
        for (size_t i = 0; i < cards.size(); ++i) {
            const TACard& card = cards[i];
            view_.AddTab(card.ConnectionName + "  ", "|" + card.DriverDesc, static_cast<int>(i));
        }
    }
    if (view_.TabCount() > 0) ChangeTab(0);
}

void CardTabs::ChangeTab(int tab) {
    if (!tbCardsChanging()) return;
    view_.SelectTab(tab);
    tbCardsChange();
}

void CardTabs::tbCardsChange() {
    if (state_.Updating()) return;
    const int tab = view_.SelectedTab();
    if (tab < 0) return;
    session_.Cards().SetCurrentIndex(view_.TabCardIndex(tab));
    if (state_.Selected()) editor_.ShowSelection();
}

}  // namespace vt
