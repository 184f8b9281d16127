// A shell that records the programs it was asked to start.
#pragma once

#include <string>
#include <vector>

#include "platform/Shell.h"

namespace vt::fakes {

class FakeShell : public Shell {
  public:
    struct Started {
        std::string commandLine;
        int showCommand;
    };
    std::vector<Started> started;
    unsigned WinExec(const std::string& commandLine, int showCommand) override {
        started.push_back({commandLine, showCommand});
        return 33;
    }
};

}  // namespace vt::fakes
