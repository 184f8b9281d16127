// Writing shortcuts and the help and web actions.
#include "ui/Shortcuts.h"

#include "core/CommandLine.h"
#include "core/ProductIdentity.h"
#include "core/SettingsLayout.h"
#include "ui/MainWindow.h"

namespace vt {

namespace {

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.find_last_of("\\/") + 1);
}

// A name that would put the file anywhere but in its folder fails as a name the file system
// refuses: nothing is written, nothing is said.
bool StaysInItsFolder(const std::string& name) {
    return name.find_first_of("\\/") == std::string::npos && name.find("..") == std::string::npos;
}

}  // namespace

std::string GetSpecialFolder(Shell& shell, int csidl) {
    return shell.SpecialFolder(csidl);
}

std::string AutorunLinkPath(Shell& shell) {
    return GetSpecialFolder(shell, kCsidlStartup) + "\\" + kProductTitle + ".lnk";
}

bool CreateLink(Shell& shell, ShellLink link) {
    if (!link.iconFile.empty() && !shell.FileExists(link.iconFile)) link.iconFile.clear();
    return shell.CreateLink(link);
}

void Shortcuts::CreateShortcut(ShortcutKind kind, const std::string& name) {
    Platform& platform = main_.platform();
    std::string iconFile;
    if (main_.Settings().ReadBool(settings::kOptions, settings::kCustomizeIcon, false)) {
        const auto chosen = main_.Frame().ChooseShortcutIcon();
        if (!chosen) return;  // cancelled: no file, no message
        iconFile = *chosen;
    }
    const std::string folder =
        kind == ShortcutKind::Desktop
            ? GetSpecialFolder(platform.shell, kCsidlDesktopDirectory) + "\\"
            : GetSpecialFolder(platform.shell, kCsidlAppData) +
                  "\\Microsoft\\Internet Explorer\\Quick Launch\\";
    if (!StaysInItsFolder(name)) return;
    const std::string executable = platform.system.ExecutablePath();
    ShellLink link;
    link.file = folder + name + ".lnk";
    link.description = kProductTitle;
    link.target = executable;
    link.arguments = "\"" + name + "\"";
    link.workingDirectory = FolderOf(executable);
    link.iconFile = iconFile;
    link.showCommand = kSwShowNormal;
    if (CreateLink(platform.shell, link))
        main_.Ask(kShortcutCreated, "Information", kMbIconInformation);
}

void Shortcuts::actDesktopShortCutExecute() {
    if (const TConfigNode* node = main_.Tree.Selected())
        CreateShortcut(ShortcutKind::Desktop, node->Text);
}

void Shortcuts::actQuickLaunchExecute() {
    if (const TConfigNode* node = main_.Tree.Selected())
        CreateShortcut(ShortcutKind::QuickLaunch, node->Text);
}

void Shortcuts::actHelpExecute() {
    main_.platform().shell.Open("open", kHelpFile, "", kSwShowNormal);
}

void Shortcuts::actHomepageExecute() {
    main_.platform().shell.Open("open", "IEXPLORE.EXE", kHomePage, kSwShowNormal);
}

void Shortcuts::actWebsiteExecute() {
    main_.platform().shell.Open("open", "IEXPLORE.EXE", kProductPage, kSwShowNormal);
}

void Shortcuts::actSendFeedbackExecute() {
    main_.platform().shell.Open("", std::string("mailto:") + kSupportMail, "", kSwShow);
}

void Shortcuts::actAboutExecute() {
    main_.Frame().ShowAbout();
}

void Shortcuts::actExitExecute() {
    main_.Frame().CloseMainWindow();  // unsaved edits go without a prompt
}

}  // namespace vt
