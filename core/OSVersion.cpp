// The version table: which reported versions are which Windows.
#include "core/OSVersion.h"

namespace vt {

int OSVersionClass(const OsVersionInfo& v) {
    if (!v.queried) return 0;
    if (v.platformId == kPlatformWin9x) {
        if (v.major != 4) return 0;
        switch (v.minor) {
            case 0:
                return 1;
            case 10:
                return v.servicePack.size() > 1 && v.servicePack[1] == 'A' ? 3 : 2;
            case 90:
                return 4;
            default:
                return 0;
        }
    }
    if (v.platformId == kPlatformNT) {
        if (v.major <= 4) return 5;
        if (v.major == 5 && v.minor <= 2) return 6 + static_cast<int>(v.minor);
        if (v.major == 6 && v.minor == 0) return 9;
    }
    return 0;
}

bool PassesVersionGate(int versionClass) {
    return versionClass >= 6 && versionClass <= 9;
}

}  // namespace vt
