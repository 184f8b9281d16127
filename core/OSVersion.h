// Classification of the running Windows version, and the start gate built on it.
#pragma once

#include "platform/System.h"

namespace vt {

// The codes of OSVersionClass.
enum OsVersionCode : int {
    kOsUnknown = 0,
    kOsWindows95 = 1,
    kOsWindows98 = 2,
    kOsWindows98SE = 3,
    kOsWindowsMe = 4,
    kOsWindowsNT4 = 5,  // and older
    kOsWindows2000 = 6,
    kOsWindowsXP = 7,
    kOsWindows2003 = 8,  // the 5.2 family: Server 2003, XP x64, Home Server
    kOsWindowsVista = 9,
};

// The running Windows as one of the codes above; kOsUnknown when the query failed.
int OSVersionClass(const OsVersionInfo& version);

bool PassesVersionGate(int versionClass);

// Windows 7 and later (NT 6.1 on), which the gate lets through only when the user asks for it.
bool IsNewerWindows(const OsVersionInfo& version);

}  // namespace vt
