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
    // What a confirmed apply keeps while it runs: every card taken before the first write, the
    // failures held back until the user has answered, the seconds read before the first write.
    struct Confirmation {
        TakenCards taken;
        ApplyFailures failures;
        int seconds = 0;
    };
    // The context of an apply; it takes the cards into `confirmation` when the user is to be
    // asked, and then `confirmation` is set.
    ApplyContext ContextFor(std::optional<Confirmation>& confirmation);
    // After an apply: for a confirmed one that changed cards, the keep dialog and the cards
    // brought back unless kept; then the failures held back.
    ApplyOutcome KeepOrRestore(const std::string& name, std::optional<Confirmation>& confirmation,
                               ApplyOutcome outcome);
    // Nothing when the copy did not start (the user declined).
    std::optional<ApplyOutcome> ApplyAsAdministrator(const std::string& name);

    FormState& state_;
    KeepDialogHost& keepHost_;
    bool offersElevation_ = false;
};

}  // namespace vt
