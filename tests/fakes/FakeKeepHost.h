// The keep dialog on the fake clock: what it showed, answered by the test or left to run out, a
// quarter second at a time.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/fakes/FakeSystem.h"
#include "ui/KeepDialog.h"

namespace vt::fakes {

class FakeKeepHost : public KeepDialogHost, public KeepView {
  public:
    explicit FakeKeepHost(FakeSystem* clock = nullptr) : clock(clock) {}

    KeepView& KeepDialogView() override { return *this; }
    void RunKeepDialog(TfrmKeep& dialog) override {
        if (!clock) throw std::logic_error("the keep dialog needs the fake clock");
        ++runs;
        caption = dialog.Caption();
        question = dialog.Question();
        lines.clear();
        closed_ = false;
        dialog.FormShow();
        if (answer) answer(dialog);
        for (int ticks = 0; !closed_; ++ticks) {
            if (ticks > 4 * kMaxKeepSeconds) throw std::logic_error("the countdown never ends");
            clock->now += 250;
            dialog.TimerTick();
        }
    }
    void ShowCountdown(const std::string& text) override { lines.push_back(text); }
    void Close() override { closed_ = true; }

    // Runs once the dialog shows; none leaves it unanswered.
    std::function<void(TfrmKeep&)> answer;
    int runs = 0;
    std::string caption, question;
    std::vector<std::string> lines;  // each countdown line shown, in order

    FakeSystem* clock;

  private:
    bool closed_ = false;
};

}  // namespace vt::fakes
