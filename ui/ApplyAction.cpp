// The named apply, and its retry as administrator.
#include "ui/ApplyAction.h"

#include "base/Error.h"
#include "base/ScopeExit.h"
#include "core/CommandLine.h"
#include "core/ConfigNames.h"
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

ApplyOutcome ApplyAction::ApplyConfiguration(const std::string& name) {
    std::optional<Confirmation> confirmation;
    ApplyContext context = ContextFor(confirmation);
    ApplyOutcome outcome;
    try {
        outcome = vt::ApplyConfiguration(context, name);
    } catch (const AccessDenied&) {
        KeepOrRestore(name, confirmation, ApplyOutcome::CardFailed);  // the cards before it
        // A copy that has the rights already would only meet the same refusal again.
        if (!offersElevation_ || state_.platform.system.HasAdministratorRights()) throw;
        const std::string why = WhyNotPassable(name);
        if (!why.empty()) {
            state_.Ask("Applying needs administrator rights, but \"" + name +
                           "\" cannot be applied as administrator: " + why +
                           " Rename the configuration, then apply it again.",
                       "Apply Failed: " + name, kMbIconError);
            return ApplyOutcome::CardFailed;
        }
        if (state_.Ask(
                "Applying needs administrator rights. Apply \"" + name + "\" as administrator?",
                kProductTitle, kMbYesNo | kMbIconQuestion) != kIdYes)
            throw;
        if (const auto elevated = ApplyAsAdministrator(name)) return *elevated;
        throw;  // declined: the refusal as it was
    } catch (...) {
        KeepOrRestore(name, confirmation, ApplyOutcome::CardFailed);
        throw;
    }
    return KeepOrRestore(name, confirmation, outcome);
}

ApplyOutcome ApplyAction::ApplyCard(const TCardConfig& record, const TACard& card) {
    std::optional<Confirmation> confirmation;
    ApplyContext context = ContextFor(confirmation);
    bool applied = false;
    try {
        if (confirmation) {
            confirmation->taken.push_back(TakeCard(context, record, card));
            if (context.beforeFirstWrite) context.beforeFirstWrite(confirmation->taken);
        }
        applied = ApplyCardConfig(context, record, card);
    } catch (...) {
        KeepOrRestore(record.ConfigName, confirmation, ApplyOutcome::CardFailed);
        throw;
    }
    return KeepOrRestore(record.ConfigName, confirmation,
                         applied ? ApplyOutcome::Applied : ApplyOutcome::CardFailed);
}

ApplyContext ApplyAction::ContextFor(std::optional<Confirmation>& confirmation) {
    ApplyContext context = state_.ApplyContextNow();
    SettingsFile& settings = state_.Settings();
    if (!AsksToKeep(settings, state_.platform.system.IsRemoteSession())) return context;
    confirmation.emplace();
    confirmation->seconds = SecondsToKeep(settings);
    context.taken = &confirmation->taken;
    context.failures = &confirmation->failures;
    return context;
}

ApplyOutcome ApplyAction::KeepOrRestore(const std::string& name,
                                        std::optional<Confirmation>& confirmation,
                                        ApplyOutcome outcome) {
    if (!confirmation) return outcome;
    ApplyContext context = state_.ApplyContextNow();
    TakenCards& taken = confirmation->taken;
    DropUntouchedCards(state_.platform.registry, taken);
    if (!taken.empty()) {
        // No other apply starts while the user decides or the cards come back. The engine
        // cleared the mark just before, with no message run in between.
        ApplyMarks& marks = state_.Marks();
        const bool wasRunning = marks.namedApplyRunning;
        marks.namedApplyRunning = true;
        ScopeExit done([&] { marks.namedApplyRunning = wasRunning; });
        TfrmKeep dialog(keepHost_.KeepDialogView(), state_.platform.system, name,
                        confirmation->seconds);
        keepHost_.RunKeepDialog(dialog);
        if (!dialog.Kept) {
            context.failures = &confirmation->failures;
            const bool restored = RestoreCards(context, taken);
            outcome = restored && outcome != ApplyOutcome::CardFailed ? ApplyOutcome::Restored
                                                                      : ApplyOutcome::CardFailed;
        }
    }
    // What failed, now that the user has answered or the cards are back.
    const ApplyFailures failures = std::exchange(confirmation->failures, {});
    confirmation.reset();
    context.failures = nullptr;
    ShowFailures(context, failures);
    return outcome;
}

std::optional<ApplyOutcome> ApplyAction::ApplyAsAdministrator(const std::string& name) {
    // The same program in apply mode, elevated; no other apply meanwhile.
    ApplyMarks& marks = state_.Marks();
    marks.namedApplyRunning = true;
    ScopeExit done([&] { marks.namedApplyRunning = false; });
    Platform& platform = state_.platform;
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
            state_.Ask("Applying \"" + name + "\" as administrator ended with code " +
                           ExitCodeText(run.exitCode) + " before it reported what it did.",
                       kProductTitle, kMbIconError);
            return ApplyOutcome::CardFailed;
    }
}

}  // namespace vt
