// What the main window's logic asks of the real window as a whole: caption, titles, ending the
// program, the status refresh thread, the icon dialog, About, the options and the keep dialog.
#pragma once

#include <optional>
#include <string>

#include "platform/IpHelper.h"
#include "platform/Prompts.h"
#include "ui/KeepDialog.h"
#include "ui/OptionsDialog.h"
#include "ui/UpdateNetStatus.h"

namespace vt {

class MainView : public KeepDialogHost {
  public:
    virtual ~MainView() = default;

    virtual WindowHandle Handle() = 0;
    // The caption of the toolkit's own error reports.
    virtual void SetApplicationTitle(const std::string& title) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetConfigTitle(const std::string& title) = 0;

    // Runs the thread's loop on a thread of its own, handing each refresh to this window's
    // thread (the status panel's RefreshStatusPanel) with the live snapshot it took from
    // `snapshots` while the window shows (or, for the first, is about to: `showsAtStart`).
    // Stopping waits for the loop to end without ever blocking a refresh it hands over; the
    // window also stops it when it ends.
    virtual void StartStatusThread(TUpdateNetStatus& thread, IpHelper& snapshots,
                                   bool showsAtStart) = 0;
    virtual void StopStatusThread() = 0;

    // The icon dialog ("Choose an icon for shortcut", *.ico): the chosen file, nothing when
    // cancelled. It opens again on the file chosen last.
    virtual std::optional<std::string> ChooseShortcutIcon() = 0;
    virtual void ShowAbout() = 0;
    // The options dialog: its view, and running it modally on the dialog's logic.
    virtual OptionsView& OptionsDialogView() = 0;
    virtual void RunOptionsDialog(TfrmOptions& dialog) = 0;
    // Closes the main window, which ends the program.
    virtual void CloseMainWindow() = 0;

    // Asks the application to end once the messages already queued have run.
    virtual void Terminate() = 0;
};

}  // namespace vt
