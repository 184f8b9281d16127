// Reading the keep-or-restore options.
#include "core/KeepOptions.h"

#include <algorithm>

#include "core/SettingsLayout.h"

namespace vt {

bool AsksToKeep(SettingsFile& settings, bool remoteSession) {
    return settings.ReadBool(settings::kOptions, settings::kConfirmApply, remoteSession);
}

int SecondsToKeep(SettingsFile& settings) {
    return KeepSecondsWithin(
        settings.ReadInteger(settings::kOptions, settings::kConfirmSeconds, kDefaultKeepSeconds));
}

int KeepSecondsWithin(int seconds) {
    return std::clamp(seconds, kMinKeepSeconds, kMaxKeepSeconds);
}

}  // namespace vt
