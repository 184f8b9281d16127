// The seam for what the program asks of the Windows shell: starting a program by its command
// line.
#pragma once

#include <string>

namespace vt {

inline constexpr int kSwShowNormal = 1;

class Shell {
  public:
    virtual ~Shell() = default;
    // WinExec: starts a program by its command line; callers do not examine the result.
    virtual unsigned WinExec(const std::string& commandLine, int showCommand) = 0;
};

}  // namespace vt
