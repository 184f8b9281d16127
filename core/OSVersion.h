// Classification of the running Windows version, and the start gate built on it.
#pragma once

#include "platform/System.h"

namespace vt {

// 0 not recognised, 1 95, 2 98, 3 98 SE, 4 Me, 5 NT 4 and older, 6 2000, 7 XP, 8 5.2 family, 9
// Vista.
int OSVersionClass(const OsVersionInfo& version);

bool PassesVersionGate(int versionClass);

}  // namespace vt
