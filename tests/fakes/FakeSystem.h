// A system whose version, executable path and command line a test sets; GUIDs in sequence.
#pragma once

#include <string>

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
    // {00000000-0000-4000-8000-000000000001}, then ...2, and so on.
    std::string NewGuid() override {
        const std::string number = std::to_string(++guids);
        return "{00000000-0000-4000-8000-" + std::string(12 - number.size(), '0') + number + "}";
    }
    bool HasAdministratorRights() override { return administrator; }
    bool IsRemoteSession() override { return remoteSession; }
    bool CanShowWindows() override { return windowsSeen; }
    uint32_t MillisecondsNow() override { return now; }
    int64_t SecondsNow() override { return wallSeconds; }
    std::unique_ptr<ApplyLock> TakeApplyLock() override {
        if (applyLockHeldElsewhere) return nullptr;
        return std::make_unique<ApplyLock>();
    }
    int guids = 0;
    bool administrator = false;
    bool remoteSession = false;
    bool windowsSeen = true;
    uint32_t now = 0;  // moved on by the test
    int64_t wallSeconds = 1800000000;
    bool applyLockHeldElsewhere = false;  // another copy asks
};

}  // namespace vt::fakes
