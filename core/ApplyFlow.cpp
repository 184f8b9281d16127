// The apply flow: lock, checkpoint, writes, the keep question, restore, report; and the retry as
// administrator.
#include "core/ApplyFlow.h"

#include <algorithm>

#include "base/Error.h"
#include "core/CommandLine.h"
#include "core/ConfigNames.h"
#include "core/KeepOptions.h"
#include "core/MessageBox.h"
#include "core/ProductIdentity.h"

namespace vt {

namespace {

// A process's exit code as people look it up: small ones in decimal, exception codes in hex.
std::string ExitCodeText(uint32_t code) {
    if (code < 0x10000) return std::to_string(code);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(code >> shift) & 0xF];
    return text;
}

}  // namespace

ApplyOutcome ApplyFlow::ApplyConfiguration(const std::string& name) {
    if (session_.Marks().namedApplyRunning) return ApplyOutcome::Ignored;
    try {
        return ApplyHere(
            name, [&](ApplyContext& context) { return vt::ApplyConfiguration(context, name); });
    } catch (const AccessDenied&) {
        // A copy that has the rights already would only meet the same refusal again.
        if (!offersElevation_ || session_.platform.system.HasAdministratorRights()) throw;
        const std::string why = WhyNotPassable(name);
        if (!why.empty()) {
            host_.Ask("Applying needs administrator rights, but \"" + name +
                          "\" cannot be applied as administrator: " + why +
                          " Rename the configuration, then apply it again.",
                      "Apply Failed: " + name, kMbIconError);
            return ApplyOutcome::CardFailed;
        }
        if (host_.Ask(
                "Applying needs administrator rights. Apply \"" + name + "\" as administrator?",
                kProductTitle, kMbYesNo | kMbIconQuestion) != kIdYes)
            throw;
        if (const auto elevated = ApplyAsAdministrator(name)) return *elevated;
        throw;  // declined: the refusal as it was
    }
}

ApplyOutcome ApplyFlow::ApplyCard(const TCardConfig& record, const TACard& card) {
    return ApplyHere(record.ConfigName, [&](ApplyContext& context) {
        if (context.taken) {
            context.taken->push_back(TakeCard(context, record, card));
            context.beforeFirstWrite(*context.taken);
        }
        return ApplyCardConfig(context, record, card) ? ApplyOutcome::Applied
                                                      : ApplyOutcome::CardFailed;
    });
}

ApplyOutcome ApplyFlow::ApplyHere(const std::string& name, const WriteCards& write) {
    // Held until the user has answered: no copy changes the cards under another's checkpoint.
    // Released before a copy run as administrator takes over.
    const std::unique_ptr<ApplyLock> lock = LockOrRefuse(name);
    if (!lock) return ApplyOutcome::Refused;
    RecoverCheckpoint();
    std::optional<Confirmation> confirmation;
    ApplyContext context = ContextFor(name, confirmation);
    ApplyOutcome outcome;
    try {
        outcome = write(context);
    } catch (...) {
        KeepOrRestore(confirmation, ApplyOutcome::CardFailed);  // the cards before the error
        throw;
    }
    return KeepOrRestore(confirmation, outcome);
}

std::unique_ptr<ApplyLock> ApplyFlow::LockOrRefuse(const std::string& name) {
    std::unique_ptr<ApplyLock> lock = session_.platform.system.TakeApplyLock();
    if (lock) return lock;
    // The copy that holds it asks about the checkpoint beside this one's settings, as a rule.
    std::string waiting;
    try {
        if (const auto checkpoint = ReadCheckpoint(session_.platform.files, CheckpointPath()))
            waiting = checkpoint->configuration;
    } catch (const CheckpointUnreadable&) {
    }
    host_.Ask((waiting.empty() ? std::string("Another apply") : "\"" + waiting + "\"") +
                  " waits for an answer: keep its new settings, or let the previous ones come "
                  "back. Then apply \"" +
                  name + "\" again.",
              "Apply Failed: " + name, kMbIconError);
    if (!waiting.empty()) session_.platform.prompts.BringToFront("Keep - " + waiting);
    return nullptr;
}

std::string ApplyFlow::CheckpointPath() {
    return CheckpointPathFor(session_.Settings().Path());
}

ApplyContext ApplyFlow::ContextFor(const std::string& name,
                                   std::optional<Confirmation>& confirmation) {
    ApplyContext context = ContextNow();
    SettingsFile& settings = session_.Settings();
    if (!AsksToKeep(settings, session_.platform.system.IsRemoteSession())) return context;
    confirmation.emplace();
    confirmation->seconds = SecondsToKeep(settings);
    confirmation->checkpoint.configuration = name;
    context.taken = &confirmation->checkpoint.cards;
    context.failures = &confirmation->failures;
    // On disk before the first write: a copy that ends from here on is made good by the next.
    context.beforeFirstWrite = [this, &confirmation](const TakenCards&) {
        confirmation->checkpoint.keepBy =
            session_.platform.system.SecondsNow() + confirmation->seconds;
        WriteCheckpoint(session_.platform.files, CheckpointPath(), confirmation->checkpoint);
    };
    return context;
}

ApplyOutcome ApplyFlow::KeepOrRestore(std::optional<Confirmation>& confirmation,
                                      ApplyOutcome outcome) {
    if (!confirmation) return outcome;
    TakenCards& taken = confirmation->checkpoint.cards;
    DropUntouchedCards(session_.platform.registry, taken);
    if (!taken.empty()) {
        if (!AskThenKeepOrRestore(*confirmation, confirmation->seconds))
            outcome = outcome == ApplyOutcome::CardFailed ? outcome : ApplyOutcome::Restored;
        if (!confirmation->failures.empty() && outcome == ApplyOutcome::Restored)
            outcome = ApplyOutcome::CardFailed;
    } else {
        // A checkpoint written before a refusal changed nothing: it goes.
        DeleteCheckpointOrKeepFailure(confirmation->failures);
    }
    // What failed, now that the user has answered or the cards are back.
    const ApplyFailures failures = std::exchange(confirmation->failures, {});
    confirmation.reset();
    ApplyContext context = ContextNow();
    ShowFailures(context, failures);
    return outcome;
}

bool ApplyFlow::AskThenKeepOrRestore(Confirmation& confirmation, int seconds) {
    Platform& platform = session_.platform;
    // No other apply starts while the user decides or the cards come back. The engine cleared the
    // mark just before, with no message run in between.
    const HeldMark deciding(session_.Marks().namedApplyRunning);
    // The time to keep runs from the question on; only the cards the apply changed come back.
    confirmation.checkpoint.keepBy = platform.system.SecondsNow() + seconds;
    try {
        WriteCheckpoint(platform.files, CheckpointPath(), confirmation.checkpoint);
    } catch (const Error&) {
        // The one written before the first write still stands, for more cards: no less safe.
    }
    const bool kept = host_.KeepNewSettings(confirmation.checkpoint.configuration, seconds);
    if (!kept) {
        ApplyContext context = ContextNow();
        context.failures = &confirmation.failures;
        RestoreCards(context, confirmation.checkpoint.cards);
    }
    // Left behind, it would undo a Keep at the next start: the user must know.
    DeleteCheckpointOrKeepFailure(confirmation.failures);
    return kept;
}

void ApplyFlow::DeleteCheckpointOrKeepFailure(ApplyFailures& failures) {
    try {
        DeleteCheckpoint(session_.platform.files, CheckpointPath());
    } catch (const Error& error) {
        failures.push_back({error.what(), kProductTitle});
    }
}

void ApplyFlow::RecoverCheckpoint() {
    Platform& platform = session_.platform;
    const std::string path = CheckpointPath();
    if (!platform.files.Stamp(path).exists) return;
    // Held by a running copy: that copy asks about it.
    const std::unique_ptr<ApplyLock> lock = platform.system.TakeApplyLock();
    if (!lock) return;
    Confirmation confirmation;
    try {
        const auto checkpoint = ReadCheckpoint(platform.files, path);
        if (!checkpoint) return;
        confirmation.checkpoint = *checkpoint;
    } catch (const CheckpointUnreadable& error) {
        const auto aside = SetCheckpointAside(platform.files, path);
        host_.Ask(std::string(error.what()) +
                      ": it holds the settings from before an apply that was not confirmed. " +
                      (aside ? "It was kept as " + *aside : std::string("It was left as it is")) +
                      "; nothing was restored from it.",
                  kProductTitle, kMbIconWarning);
        return;
    }
    const std::string& name = confirmation.checkpoint.configuration;
    const int64_t left = confirmation.checkpoint.keepBy - platform.system.SecondsNow();
    if (left > 0) {
        AskThenKeepOrRestore(confirmation,
                             static_cast<int>(std::min<int64_t>(left, kMaxKeepSeconds)));
    } else {
        ApplyContext context = ContextNow();
        context.failures = &confirmation.failures;
        RestoreCards(context, confirmation.checkpoint.cards);
        DeleteCheckpointOrKeepFailure(confirmation.failures);
        host_.Ask("The new settings of \"" + name +
                      "\" were not kept in time: the previous settings were restored.",
                  kProductTitle, kMbIconInformation);
    }
    ApplyContext context = ContextNow();
    ShowFailures(context, confirmation.failures);
}

std::optional<ApplyOutcome> ApplyFlow::ApplyAsAdministrator(const std::string& name) {
    // The same program in apply mode, elevated; no other apply meanwhile.
    const HeldMark elevated(session_.Marks().namedApplyRunning);
    Platform& platform = session_.platform;
    const ElevatedRun run = platform.shell.RunAsAdministrator(platform.system.ExecutablePath(),
                                                              *ApplyArguments(name, true));
    switch (run.end) {
        case ElevatedRun::End::NotStarted:
            return std::nullopt;
        case ElevatedRun::End::Abandoned:
            return ApplyOutcome::CardFailed;  // quitting: nothing said
        case ElevatedRun::End::Exited:
            break;
    }
    // It reported its own failures; an end it did not choose is said here.
    switch (run.exitCode - kReportedExitCodes) {
        case kExitApplied:
            return ApplyOutcome::Applied;
        case kExitNoSuchConfiguration:
            return ApplyOutcome::NotFound;
        case kExitApplyFailed:
            return ApplyOutcome::CardFailed;
        case kExitRestored:
            return ApplyOutcome::Restored;  // it asked, and brought them back
        default:
            host_.Ask("Applying \"" + name + "\" as administrator ended with code " +
                          ExitCodeText(run.exitCode) + " before it reported what it did.",
                      kProductTitle, kMbIconError);
            return ApplyOutcome::CardFailed;
    }
}

}  // namespace vt
