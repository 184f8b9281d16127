// What the main window's logic asks of the real window as a whole: caption, titles, ending the
// program, the posted message that restarts a label edit, the status refresh thread.
#pragma once

#include <string>

#include "platform/Prompts.h"
#include "ui/ConfigNode.h"
#include "ui/UpdateNetStatus.h"

namespace vt {

class MainView {
  public:
    virtual ~MainView() = default;

    virtual WindowHandle Handle() = 0;
    // The caption of the toolkit's own error reports.
    virtual void SetApplicationTitle(const std::string& title) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetConfigTitle(const std::string& title) = 0;
    // Posts WM_EDITNODE (WM_USER + 100) for the node; the window then calls EditNode.
    virtual void PostEditNode(TConfigNode& node) = 0;

    // Runs the thread's loop on a thread of its own, handing each refresh to this window's
    // thread (Status.RefreshStatusPanel). Stopping waits for the loop to end without ever
    // blocking a refresh it hands over; the window also stops it when it ends.
    virtual void StartStatusThread(TUpdateNetStatus& thread) = 0;
    virtual void StopStatusThread() = 0;

    // Asks the application to end once the messages already queued have run.
    virtual void Terminate() = 0;
};

}  // namespace vt
