// The countdown of the keep dialog, and the host that runs it over a window.
#include "ui/KeepDialog.h"

#include "core/MessageBox.h"

namespace vt {

std::string TfrmKeep::Countdown() const {
    const int left = SecondsLeft();
    return "The previous settings come back in " + std::to_string(left) +
           (left == 1 ? " second." : " seconds.");
}

int TfrmKeep::SecondsLeft() const {
    // Whole seconds gone, counted from the show: the line shows the full time at first.
    const uint32_t gone = (clock_.MillisecondsNow() - start_) / 1000;
    return gone >= static_cast<uint32_t>(seconds_) ? 0 : seconds_ - static_cast<int>(gone);
}

void TfrmKeep::FormShow() {
    start_ = clock_.MillisecondsNow();
    shown_ = seconds_;
    view_.ShowCountdown(Countdown());
}

void TfrmKeep::TimerTick() {
    const int left = SecondsLeft();
    if (left == 0) return view_.Close();
    if (left == shown_) return;
    shown_ = left;
    view_.ShowCountdown(Countdown());
}

void TfrmKeep::btnKeepClick() {
    Kept = true;
    view_.Close();
}

int WindowApplyHost::Ask(const std::string& text, const std::string& caption, unsigned flags) {
    return ShowMessageBox(prompts_, owner_, text, caption, flags);
}

bool WindowApplyHost::KeepNewSettings(const std::string& name, int seconds) {
    TfrmKeep dialog(keep_.KeepDialogView(), clock_, name, seconds);
    keep_.RunKeepDialog(dialog);
    return dialog.Kept;
}

}  // namespace vt
