// Message boxes and the message pump over the Windows user interface.
#pragma once

#include "platform/Prompts.h"

namespace vt::win32 {

class Win32Prompts : public Prompts {
  public:
    int ShowBox(WindowHandle owner, const std::string& text, const std::string& caption,
                unsigned flags) override;
    void BringToFront(const std::string& caption) override;
    void ProcessMessages() override;
    uintptr_t ShowWaitCursor() override;
    void RestoreCursor(uintptr_t previous) override;
};

}  // namespace vt::win32
