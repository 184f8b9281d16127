// The program's one message box: every text framed the same way.
#pragma once

#include <string>

#include "platform/Prompts.h"

namespace vt {

// The body is CR, the text, three blanks, CR CR.
std::string FrameMessageText(const std::string& text);

int ShowMessageBox(Prompts& prompts, WindowHandle owner, const std::string& text,
                   const std::string& caption, unsigned flags);

}  // namespace vt
