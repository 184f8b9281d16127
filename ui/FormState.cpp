// The shared state's card, settings file, prompts and apply context.
#include "ui/FormState.h"

#include "base/Error.h"
#include "core/MessageBox.h"

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
    return vt::ApplyConfiguration(context, name);
}

}  // namespace vt
