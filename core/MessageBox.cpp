// Framing of message-box texts.
#include "core/MessageBox.h"

namespace vt {

std::string FrameMessageText(const std::string& text) {
    return "\r" + text + "   \r\r";
}

int ShowMessageBox(Prompts& prompts, WindowHandle owner, const std::string& text,
                   const std::string& caption, unsigned flags) {
    return prompts.ShowBox(owner, FrameMessageText(text), caption, flags);
}

}  // namespace vt
