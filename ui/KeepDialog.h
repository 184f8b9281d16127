// The keep dialog's logic: after an apply that wrote cards, the new settings stay only when the
// user keeps them; otherwise, or when the time runs out, they are brought back.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "core/ApplyFlow.h"
#include "core/KeepOptions.h"
#include "platform/Prompts.h"
#include "platform/System.h"

namespace vt {

// What the keep dialog's logic asks of its window.
class KeepView {
  public:
    virtual ~KeepView() = default;
    virtual void ShowCountdown(const std::string& text) = 0;
    virtual void Close() = 0;
};

class TfrmKeep;

// Where the keep dialog runs: over the main window, in the foreground also when the window is
// hidden (an apply from the tray, apply mode).
class KeepDialogHost {
  public:
    virtual ~KeepDialogHost() = default;
    virtual KeepView& KeepDialogView() = 0;
    // Runs it modally on its logic.
    virtual void RunKeepDialog(TfrmKeep& dialog) = 0;
};

class TfrmKeep {
  public:
    // `clock` gives the time the countdown follows.
    TfrmKeep(KeepView& view, System& clock, std::string name, int seconds)
        : view_(view), clock_(clock), name_(std::move(name)), seconds_(seconds) {}

    std::string Caption() const { return "Keep - " + name_; }
    std::string Question() const { return "Keep the new settings of \"" + name_ + "\"?"; }
    // The line under the question, for the seconds left.
    std::string Countdown() const;

    // The dialog shows: the countdown starts.
    void FormShow();
    // The dialog's timer, a few times a second: the line follows the clock; when no second is
    // left the dialog closes, restoring.
    void TimerTick();
    void btnKeepClick();
    // "&Restore Now", and also Enter, Escape and the close box: only a deliberate Keep keeps.
    void btnRestoreClick() { view_.Close(); }

    bool Kept = false;

  private:
    int SecondsLeft() const;

    KeepView& view_;
    System& clock_;
    std::string name_;
    int seconds_;
    uint32_t start_ = 0;
    int shown_ = -1;  // the seconds the line shows
};

// The apply's host where a window owns the message boxes and the keep dialog runs over it: the
// main window, and apply mode's window that never shows.
class WindowApplyHost : public ApplyHost {
  public:
    WindowApplyHost(Prompts& prompts, System& clock, WindowHandle owner, KeepDialogHost& keep)
        : prompts_(prompts), clock_(clock), owner_(owner), keep_(keep) {}

    WindowHandle MessageOwner() const override { return owner_; }
    int Ask(const std::string& text, const std::string& caption, unsigned flags) override;
    bool KeepNewSettings(const std::string& name, int seconds) override;

  private:
    Prompts& prompts_;
    System& clock_;
    WindowHandle owner_;
    KeepDialogHost& keep_;
};

}  // namespace vt
