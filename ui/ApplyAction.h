// Applying a configuration by its name, as the Apply action, the tray menu and apply mode do, and
// one card's record, as the editor's Apply does. On a Windows the user let the program run on, an
// apply refused for lack of rights is offered to a copy run as administrator. With ConfirmApply,
// the user keeps what an apply wrote, or it is brought back.
#pragma once

#include <optional>
#include <string>

#include "core/ApplyEngine.h"
#include "ui/FormState.h"
#include "ui/KeepDialog.h"

namespace vt {

class ApplyAction {
  public:
    ApplyAction(FormState& state, KeepDialogHost& keepHost) : state_(state), keepHost_(keepHost) {}

    // Only on Windows 7 and later, where the user let the program run.
    void OfferElevation(bool offer) { offersElevation_ = offer; }
    bool OffersElevation() const { return offersElevation_; }

    ApplyOutcome ApplyConfiguration(const std::string& name);
    // The editor's Apply: the record saved for its card. A refused registry write passes to the
    // caller, after the user decided about what was written.
    ApplyOutcome ApplyCard(const TCardConfig& record, const TACard& card);

  private:
    // The context of an apply that takes the cards into `taken` when the user is to be asked.
    ApplyContext ContextTaking(TakenCards& taken);
    // After an apply that wrote cards: the keep dialog, and the cards brought back unless kept.
    ApplyOutcome KeepOrRestore(const std::string& name, const TakenCards& taken,
                               ApplyOutcome outcome);
    // Nothing when the copy did not start (the user declined).
    std::optional<ApplyOutcome> ApplyAsAdministrator(const std::string& name);

    FormState& state_;
    KeepDialogHost& keepHost_;
    bool offersElevation_ = false;
};

}  // namespace vt
