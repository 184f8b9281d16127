// The keep dialog ("Keep - <name>"): the question, the countdown, "&Keep" and "&Restore Now".
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/ModalDialog.h"
#include "ui/KeepDialog.h"

namespace vt::win32 {

// Control ids, so tests find the controls.
inline constexpr int kIdKeepQuestion = 501;
inline constexpr int kIdKeepCountdown = 502;
inline constexpr int kIdBtnKeep = 503;
inline constexpr int kIdBtnRestoreNow = 504;

class Win32KeepDialog : public ModalDialog, public KeepView {
  public:
    // Over `owner`, in the foreground, with a taskbar button of its own while `owner` is hidden.
    void Run(HWND owner, TfrmKeep& logic);

    // --- KeepView
    void ShowCountdown(const std::string& text) override;
    void Close() override { End(IDCANCEL); }

  protected:
    Frame Layout() const override { return {caption_.c_str(), 360, 124}; }
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnTimer(UINT_PTR id) override;

  private:
    TfrmKeep* logic_ = nullptr;
    std::string caption_;
    bool ownerHidden_ = false;
};

}  // namespace vt::win32
