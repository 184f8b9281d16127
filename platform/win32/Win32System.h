// The running system's version, the executable's path and the command line, from Windows.
#pragma once

#include "platform/System.h"

namespace vt::win32 {

class Win32System : public System {
  public:
    OsVersionInfo QueryVersion() override;
    std::string ExecutablePath() override;
    std::string CommandLine() override;
    std::string NewGuid() override;
};

}  // namespace vt::win32
