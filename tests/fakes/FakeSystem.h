// A system whose version, executable path and command line a test sets.
#pragma once

#include "platform/System.h"

namespace vt::fakes {

class FakeSystem : public System {
  public:
    OsVersionInfo version{true, kPlatformNT, 5, 1, "Service Pack 3"};
    std::string executablePath = "C:\\Tools\\VelmoraTarvello.exe";
    std::string commandLine = "\"C:\\Tools\\VelmoraTarvello.exe\"";

    OsVersionInfo QueryVersion() override { return version; }
    std::string ExecutablePath() override { return executablePath; }
    std::string CommandLine() override { return commandLine; }
};

}  // namespace vt::fakes
