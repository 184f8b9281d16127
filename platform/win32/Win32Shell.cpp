// WinExec.
#include "platform/win32/Win32Shell.h"

#include <windows.h>

namespace vt::win32 {

unsigned Win32Shell::WinExec(const std::string& commandLine, int showCommand) {
    return ::WinExec(commandLine.c_str(), static_cast<UINT>(showCommand));
}

}  // namespace vt::win32
