// The running system's version, the executable's path, the command line and the process's rights,
// from Windows.
#pragma once

#include <windows.h>

#include "platform/System.h"

namespace vt::win32 {

class Win32System : public System {
  public:
    OsVersionInfo QueryVersion() override;
    std::string ExecutablePath() override;
    std::string CommandLine() override;
    std::string NewGuid() override;
    bool HasAdministratorRights() override;
    bool IsRemoteSession() override { return GetSystemMetrics(SM_REMOTESESSION) != 0; }
    bool CanShowWindows() override;
    uint32_t MillisecondsNow() override { return GetTickCount(); }
    int64_t SecondsNow() override;
    std::unique_ptr<ApplyLock> TakeApplyLock() override;
    AnsiCodePage AnsiCodePageRules() override;
    void TraceStartup(const char* step) override;

  private:
    int tracing_ = -1;    // not known yet
    double startMs_ = 0;  // the process's start on the performance counter's scale
    double lastMs_ = 0;
};

}  // namespace vt::win32
