// One apply, whoever asks for it: the window, the tray, apply mode. With ConfirmApply the user
// keeps what an apply wrote, or it is brought back, also by the next start when this copy ends
// before: a checkpoint on disk, one per machine at a time. On a Windows the user let the program
// run on, an apply refused for lack of rights is offered to a copy run as administrator.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/ApplyEngine.h"
#include "core/Checkpoint.h"
#include "core/ConfigSession.h"

namespace vt {

// What the caller of an apply provides: someone to ask, and the keep question.
class ApplyHost {
  public:
    virtual ~ApplyHost() = default;
    // The window that owns the apply's message boxes, the engine's own among them.
    virtual WindowHandle MessageOwner() const = 0;
    // A message box over it: a question, or what happened.
    virtual int Ask(const std::string& text, const std::string& caption, unsigned flags) = 0;
    // "Keep the new settings of `name`?" for `seconds`, in the foreground also when no window of
    // the program shows; true only when the user kept them.
    virtual bool KeepNewSettings(const std::string& name, int seconds) = 0;
};

class ApplyFlow {
  public:
    ApplyFlow(ConfigSession& session, ApplyHost& host) : session_(session), host_(host) {}

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
    using WriteCards = std::function<ApplyOutcome(ApplyContext&)>;

    // Under the machine's apply lock: the checkpoint taken, the cards written, the user asked,
    // the cards kept or restored, the failures reported. An error that ends the writes passes
    // to the caller after that.
    ApplyOutcome ApplyHere(const std::string& name, const WriteCards& write);
    // The machine's apply lock, or nothing after the user heard which apply waits for an answer
    // (and that one came to the front).
    std::unique_ptr<ApplyLock> LockOrRefuse(const std::string& name);
    // The context of an apply of `name`; it takes the cards into `confirmation`, and writes the
    // checkpoint before the first write, when the user is to be asked.
    ApplyContext ContextFor(const std::string& name, std::optional<Confirmation>& confirmation);
    // After an apply: for a confirmed one that changed cards, the keep question and the cards
    // brought back unless kept; then the failures held back.
    ApplyOutcome KeepOrRestore(std::optional<Confirmation>& confirmation, ApplyOutcome outcome);
    // Asks for `seconds`, restores unless kept, deletes the checkpoint; false when restored.
    bool AskThenKeepOrRestore(Confirmation& confirmation, int seconds);
    // Deletes the checkpoint; a failure is kept to be reported.
    void DeleteCheckpointOrKeepFailure(ApplyFailures& failures);
    std::string CheckpointPath();
    ApplyContext ContextNow() { return session_.ApplyContextFor(host_.MessageOwner()); }
    // Nothing when the copy did not start (the user declined).
    std::optional<ApplyOutcome> ApplyAsAdministrator(const std::string& name);

    ConfigSession& session_;
    ApplyHost& host_;
    bool offersElevation_ = false;
};

}  // namespace vt
