// The card tabs: one per managed card, the current card, and the tab change that shows the
// selected configuration's record for the new card.
#pragma once

#include <string>

#include "core/ConfigSession.h"
#include "ui/FormState.h"
#include "ui/SettingsEditor.h"

namespace vt {

// What the tabs' logic asks of the real tab control. Every call only sets what it says: the logic
// asks before it changes the tab and reports the change itself.
class CardTabsView : public TabMarksView {
  public:
    virtual void ClearTabs() = 0;  // no tab selected afterwards
    // The card index goes into the tab's own data: it stays with the tab wherever it is dragged.
    virtual void AddTab(const std::string& caption, const std::string& hint, int cardIndex) = 0;
    virtual void SelectTab(int tab) = 0;
};

class CardTabs {
  public:
    CardTabs(ConfigSession& session, FormState& state, SettingsEditor& editor, CardTabsView& view)
        : session_(session), state_(state), editor_(editor), view_(view) {}

    // Rebuilds the tabs from the cards and selects the first as a click would: the save prompt
    // may refuse it, leaving no tab selected.
    void FillCardTabs();
    // Selects the tab as a click does: asks first, reports after.
    void ChangeTab(int tab);

    bool tbCardsChanging() { return editor_.ConfirmSave(); }
    void tbCardsChange();

  private:
    ConfigSession& session_;
    FormState& state_;
    SettingsEditor& editor_;
    CardTabsView& view_;
};

}  // namespace vt
