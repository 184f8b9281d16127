// Writing shortcuts and the help and web actions.
#include "ui/Shortcuts.h"

#include <string_view>

#include "base/AnsiText.h"
#include "base/PathText.h"
#include "core/CommandLine.h"
#include "core/ConfigNames.h"
#include "core/ProductIdentity.h"
#include "core/SettingsLayout.h"

namespace vt {

namespace {

// A name the file system would refuse, or take as a path, a device or a stream (":" names an
// alternate data stream of another file), fails as the system's refusal does: nothing is written,
// nothing is said.
bool IsPlainFileName(const std::string& name) {
    // Character by character: the second byte of a double-byte character may be a backslash.
    for (size_t i = 0; i < name.size(); i += CharacterLength(name, i)) {
        const char c = name[i];
        if (static_cast<unsigned char>(c) < ' ' ||
            std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
            return false;
    }
    return name.find("..") == std::string::npos;
}

// A file named after a device, whatever its extension, is that device: "NUL.lnk" is no file.
bool IsDeviceName(const std::string& name) {
    std::string base = FoldCase(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (base == device) return true;
    // COM1 to COM9 and LPT1 to LPT9, also with the superscript digits 1, 2 and 3.
    const bool numbered = base.rfind("COM", 0) == 0 || base.rfind("LPT", 0) == 0;
    return numbered && base.size() == 4 &&
           std::string_view("123456789\xB9\xB2\xB3").find(base[3]) != std::string_view::npos;
}

}  // namespace

std::string GetSpecialFolder(Shell& shell, int csidl) {
    return shell.SpecialFolder(csidl);
}

std::string AutorunLinkPath(Shell& shell) {
    const std::string startup = GetSpecialFolder(shell, kCsidlStartup);
    return startup.empty() ? std::string() : startup + "\\" + kProductTitle + ".lnk";
}

bool CreateLink(Shell& shell, ShellLink link) {
    if (!link.iconFile.empty() && !shell.FileExists(link.iconFile)) link.iconFile.clear();
    return shell.CreateLink(link);
}

void Shortcuts::CreateShortcut(ShortcutKind kind, const std::string& name) {
    Platform& platform = session_.platform;
    // The link would start the program with another name, or in the tray.
    if (const std::string why = WhyNotPassable(name); !why.empty()) {
        state_.Ask("Cannot create a shortcut for \"" + name + "\": " + why +
                       " Rename the configuration first.",
                   "Shortcut - " + name, kMbIconError);
        return;
    }
    std::string iconFile;
    if (session_.Settings().ReadBool(settings::kOptions, settings::kCustomizeIcon, false)) {
        const auto chosen = frame_.ChooseShortcutIcon();
        if (!chosen) return;  // cancelled: no file, no message
        iconFile = *chosen;
    }
    const std::string special = GetSpecialFolder(
        platform.shell, kind == ShortcutKind::Desktop ? kCsidlDesktopDirectory : kCsidlAppData);
    // Without its folder the link would land in the drive's root: nothing is written.
    if (special.empty() || !IsPlainFileName(name) || IsDeviceName(name)) return;
    const std::string folder = special + (kind == ShortcutKind::Desktop
                                              ? "\\"
                                              : "\\Microsoft\\Internet Explorer\\Quick Launch\\");
    // A fresh profile of a newer Windows has no quick-launch folder: make it, as the shell would.
    if (kind == ShortcutKind::QuickLaunch)
        platform.shell.CreateFolders(folder.substr(0, folder.size() - 1));
    const std::string executable = platform.system.ExecutablePath();
    ShellLink link;
    link.file = folder + name + ".lnk";
    link.description = kProductTitle;
    link.target = executable;
    link.arguments = *ApplyArguments(name, false);
    link.workingDirectory = FolderOf(executable);
    link.iconFile = iconFile;
    link.showCommand = kSwShowNormal;
    // Success only for a file that is there to be opened.
    if (CreateLink(platform.shell, link) && platform.shell.FileExists(link.file))
        state_.Ask(kShortcutCreated, "Information", kMbIconInformation);
}

void Shortcuts::actDesktopShortCutExecute() {
    state_.FollowTheFile();
    if (const TConfigNode* node = state_.Selected()) CreateShortcut(ShortcutKind::Desktop, node->Text);
}

void Shortcuts::actQuickLaunchExecute() {
    state_.FollowTheFile();
    if (const TConfigNode* node = state_.Selected())
        CreateShortcut(ShortcutKind::QuickLaunch, node->Text);
}

void Shortcuts::actHelpExecute() {
    // The current folder first, as the shell looks; then beside the program, for a program
    // started from anywhere else.
    Platform& platform = session_.platform;
    const std::string beside = FolderOf(platform.system.ExecutablePath()) + kHelpFile;
    const bool here = platform.shell.FileExists(kHelpFile) || !platform.shell.FileExists(beside);
    platform.shell.Open("open", here ? kHelpFile : beside, "", kSwShowNormal);
}

void Shortcuts::actHomepageExecute() {
    session_.platform.shell.Open("open", "IEXPLORE.EXE", kHomePage, kSwShowNormal);
}

void Shortcuts::actWebsiteExecute() {
    session_.platform.shell.Open("open", "IEXPLORE.EXE", kProductPage, kSwShowNormal);
}

void Shortcuts::actSendFeedbackExecute() {
    session_.platform.shell.Open("", std::string("mailto:") + kSupportMail, "", kSwShow);
}

void Shortcuts::actAboutExecute() {
    frame_.ShowAbout();
}

void Shortcuts::actExitExecute() {
    frame_.CloseMainWindow();  // unsaved edits go without a prompt
}

}  // namespace vt
