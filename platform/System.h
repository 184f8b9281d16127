// The seam for facts about the running process and system: version, own path, command line, new
// GUIDs; and the start-up trace for developers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/AnsiText.h"

namespace vt {

// What the system reports about itself (the fields of the ANSI version-information record).
struct OsVersionInfo {
    bool queried = false;  // false when the version query failed
    uint32_t platformId = 0;
    uint32_t major = 0;
    uint32_t minor = 0;
    std::string servicePack;
};

inline constexpr uint32_t kPlatformWin9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
inline constexpr uint32_t kPlatformNT = 2;     // VER_PLATFORM_WIN32_NT

// Held by the one copy on the machine whose apply may change the cards or waits for the user to
// keep them; it ends with that copy, also when the copy is killed.
class ApplyLock {
  public:
    virtual ~ApplyLock() = default;
};

class System {
  public:
    virtual ~System() = default;
    virtual OsVersionInfo QueryVersion() = 0;  // GetVersionEx with the ANSI record
    virtual std::string ExecutablePath() = 0;  // the running executable's full path
    virtual std::string CommandLine() = 0;     // the whole command line, program name first
    // A freshly generated GUID in registry form: braces, upper-case hexadecimal, 8-4-4-4-12.
    virtual std::string NewGuid() = 0;
    // Whether this process runs with administrator rights (elevated, or an administrator where
    // the system does not split the rights).
    virtual bool HasAdministratorRights() = 0;
    // Whether the session is a remote desktop one (SM_REMOTESESSION).
    virtual bool IsRemoteSession() { return false; }
    // Whether a person can see this process's windows: false in a window station that is not
    // shown (a scheduled task run without its user, a service), where a question waits forever.
    virtual bool CanShowWindows() { return true; }
    // A millisecond clock for counting down (GetTickCount): only differences count, which stay
    // right across its wrap.
    virtual uint32_t MillisecondsNow() = 0;
    // The wall clock in seconds (since 1970, UTC), which a later process and a restart go on
    // with.
    virtual int64_t SecondsNow() = 0;
    // The machine's apply lock; nothing while another running copy holds it. A copy may take it
    // again while it holds it.
    virtual std::unique_ptr<ApplyLock> TakeApplyLock() = 0;
    // How the system's ANSI code page folds letter case and where its characters begin, as its
    // private-profile functions compare names.
    virtual AnsiCodePage AnsiCodePageRules() { return AnsiCodePage::Cp1252(); }
    // Where start-up goes: with the environment variable VT_STARTUP_TRACE set, each step's time
    // since the process started goes to the debugger output; otherwise nothing happens.
    virtual void TraceStartup(const char* step) { (void)step; }
};

}  // namespace vt
