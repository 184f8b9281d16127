// The Windows shell behind the seam.
#pragma once

#include "platform/Shell.h"

namespace vt::win32 {

class Win32Shell : public Shell {
  public:
    unsigned WinExec(const std::string& commandLine, int showCommand) override;
};

}  // namespace vt::win32
