// Applying a configuration by its name, as the Apply action, the tray menu and apply mode do, and
// one card's record, as the editor's Apply does. On a Windows the user let the program run on, an
// apply refused for lack of rights is offered to a copy run as administrator. With ConfirmApply,
// the user keeps what an apply wrote, or it is brought back, also by the next start when this
// copy ends before: a checkpoint on disk, one per machine at a time.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/ApplyEngine.h"
#include "core/Checkpoint.h"
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

    // A checkpoint that a copy left when it ended while it asked: brought back when its time has
    // passed, else asked about again for the time left; one that cannot be read is set aside and
    // reported. Every start does this first, and so does every apply.
    void RecoverCheckpoint();

  private:
    // What a confirmed apply keeps while it runs: every card taken before the first write, the
    // failures held back until the user has answered, the seconds read before the first write.
    struct Confirmation {
        Checkpoint checkpoint;
        ApplyFailures failures;
        int seconds = 0;
    };
    // The machine's apply lock, or nothing after the user heard which apply waits for an answer
    // (and that one came to the front).
    std::unique_ptr<ApplyLock> LockOrRefuse(const std::string& name);
    ApplyOutcome ApplyHere(const std::string& name);
    // The context of an apply of `name`; it takes the cards into `confirmation`, and writes the
    // checkpoint before the first write, when the user is to be asked.
    ApplyContext ContextFor(const std::string& name, std::optional<Confirmation>& confirmation);
    // After an apply: for a confirmed one that changed cards, the keep dialog and the cards
    // brought back unless kept; then the failures held back.
    ApplyOutcome KeepOrRestore(std::optional<Confirmation>& confirmation, ApplyOutcome outcome);
    // Asks for `seconds`, restores unless kept, deletes the checkpoint; false when restored.
    bool AskThenKeepOrRestore(Confirmation& confirmation, int seconds);
    std::string CheckpointPath();
    // Nothing when the copy did not start (the user declined).
    std::optional<ApplyOutcome> ApplyAsAdministrator(const std::string& name);

    FormState& state_;
    KeepDialogHost& keepHost_;
    bool offersElevation_ = false;
};

}  // namespace vt
