// The icon dialog of the shortcuts ("Choose an icon for shortcut", *.ico): the system's Open
// dialog, opening again on the file chosen last.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace vt::win32 {

class IconDialog {
  public:
    // The chosen file, nothing when cancelled.
    std::optional<std::string> Run(HWND owner);

  private:
    std::string last_;
};

}  // namespace vt::win32
