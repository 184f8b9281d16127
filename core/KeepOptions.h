// The options of keep-or-restore: whether an apply asks to keep its new settings, and for how
// long.
#pragma once

#include "core/SettingsFile.h"

namespace vt {

inline constexpr int kDefaultKeepSeconds = 15;
inline constexpr int kMinKeepSeconds = 5;
inline constexpr int kMaxKeepSeconds = 600;

// ConfirmApply, by default on in a remote desktop session: there a wrong apply cuts the user off.
bool AsksToKeep(SettingsFile& settings, bool remoteSession);
// ConfirmSeconds, within 5 and 600.
int SecondsToKeep(SettingsFile& settings);
// Any count of seconds as ConfirmSeconds holds it.
int KeepSecondsWithin(int seconds);

}  // namespace vt
