// The shared state's settings file, prompts and apply context.
#include "ui/FormState.h"

#include "base/Error.h"
#include "core/MessageBox.h"

namespace vt {

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
    return ApplyContext{platform, Settings(), cards_.List(), marks_, owner_};
}

}  // namespace vt
