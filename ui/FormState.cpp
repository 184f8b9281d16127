// The shared state's card, settings file, prompts and apply context.
#include "ui/FormState.h"

#include "base/Error.h"
#include "base/ScopeExit.h"
#include "core/MessageBox.h"
#include "core/ProductIdentity.h"

namespace vt {

const TACard& FormState::CurrentCard() const {
    if (Cards.empty()) throw Error(kNoAdapters);
    if (CurrentCardIndex < 0 || CurrentCardIndex >= static_cast<int>(Cards.size()))
        throw Error(kAdaptersChanged);
    return Cards[static_cast<size_t>(CurrentCardIndex)];
}

void FormState::OpenSettings(const std::string& path) {
    settings_ = std::make_unique<SettingsFile>(platform.files, path);
}

SettingsFile& FormState::Settings() {
    if (!settings_) throw Error("The settings file is not open.");
    return *settings_;
}

int FormState::Ask(const std::string& text, const std::string& caption, unsigned flags) {
    return ShowMessageBox(platform.prompts, owner_, text, caption, flags);
}

ApplyContext FormState::ApplyContextNow() {
    return ApplyContext{platform, Settings(), Cards, Marks, owner_};
}

ApplyOutcome FormState::ApplyConfiguration(const std::string& name) {
    ApplyContext context = ApplyContextNow();
    try {
        return vt::ApplyConfiguration(context, name);
    } catch (const AccessDenied&) {
        if (!OffersElevation ||
            Ask("Applying needs administrator rights. Apply \"" + name + "\" as administrator?",
                kProductTitle, kMbYesNo | kMbIconQuestion) != kIdYes)
            throw;
        // The same program in apply mode, elevated; no other apply meanwhile.
        Marks.actApplyTag = 1;
        ScopeExit done([&] { Marks.actApplyTag = 0; });
        const std::optional<uint32_t> code =
            platform.shell.RunAsAdministrator(platform.system.ExecutablePath(), "\"" + name + "\"");
        if (!code) throw;  // declined: the refusal as it was
        // It reported its own failures; what it could not report is said here.
        switch (*code) {
            case kExitApplied: return ApplyOutcome::Applied;
            case kExitNoSuchConfiguration: return ApplyOutcome::NotFound;
            case kExitApplyFailed: return ApplyOutcome::CardFailed;
            default:
                Ask("Applying \"" + name + "\" as administrator ended with code " +
                        std::to_string(*code) + ".",
                    kProductTitle, kMbIconError);
                return ApplyOutcome::CardFailed;
        }
    }
}

}  // namespace vt
