// The version table: which reported versions are which Windows.
#include "core/OSVersion.h"

namespace vt {

int OSVersionClass(const OsVersionInfo& v) {
    if (!v.queried) return kOsUnknown;
    if (v.platformId == kPlatformWin9x) {
        if (v.major != 4) return kOsUnknown;
        switch (v.minor) {
            case 0:
                return kOsWindows95;
            case 10:
                return v.servicePack.size() > 1 && v.servicePack[1] == 'A' ? kOsWindows98SE
                                                                           : kOsWindows98;
            case 90:
                return kOsWindowsMe;
            default:
                return kOsUnknown;
        }
    }
    if (v.platformId == kPlatformNT) {
        if (v.major <= 4) return kOsWindowsNT4;
        if (v.major == 5 && v.minor <= 2) return kOsWindows2000 + static_cast<int>(v.minor);
        if (v.major == 6 && v.minor == 0) return kOsWindowsVista;
    }
    return kOsUnknown;
}

bool PassesVersionGate(int versionClass) {
    return versionClass >= kOsWindows2000 && versionClass <= kOsWindowsVista;
}

bool IsNewerWindows(const OsVersionInfo& v) {
    return v.queried && v.platformId == kPlatformNT &&
           (v.major > 6 || (v.major == 6 && v.minor >= 1));
}

}  // namespace vt
