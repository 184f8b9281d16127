// Shortcuts that apply a configuration from the desktop or the quick-launch bar, and the window's
// help, web, feedback, About and Exit actions.
#pragma once

#include <string>

#include "platform/Shell.h"
#include "core/ConfigSession.h"
#include "ui/FormState.h"
#include "ui/MainView.h"

namespace vt {

enum class ShortcutKind { Desktop, QuickLaunch };

inline constexpr char kHelpFile[] = "zendrelhelp.chm";
inline constexpr char kShortcutCreated[] = "A shortcut has been created successfully.";

// The special folder's path, without a trailing backslash.
std::string GetSpecialFolder(Shell& shell, int csidl);
// The autorun link in the user's Startup folder.
std::string AutorunLinkPath(Shell& shell);
// Writes the link; an icon file that does not exist is left out. True when the file was saved.
bool CreateLink(Shell& shell, ShellLink link);

class Shortcuts {
  public:
    Shortcuts(ConfigSession& session, FormState& state, MainView& frame)
        : session_(session), state_(state), frame_(frame) {}

    void CreateShortcut(ShortcutKind kind, const std::string& name);
    void actDesktopShortCutExecute();
    void actQuickLaunchExecute();
    void actHelpExecute();
    void actHomepageExecute();
    void actWebsiteExecute();
    void actSendFeedbackExecute();
    void actAboutExecute();
    void actExitExecute();

  private:
    ConfigSession& session_;
    FormState& state_;
    MainView& frame_;
};

}  // namespace vt
