// The message boxes the main window owns.
#include "ui/FormState.h"

#include "core/MessageBox.h"

namespace vt {

int FormState::Ask(const std::string& text, const std::string& caption, unsigned flags) {
    return ShowMessageBox(prompts_, owner_, text, caption, flags);
}

}  // namespace vt
