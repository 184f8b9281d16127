// The real program's shortcuts, options and help under Wine: a desktop shortcut read back through
// the shell's link object and opened to apply its configuration, the autorun link and the
// context-menu extension written by the options dialog, F1 opening the help viewer.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <shellapi.h>

#include <string>

#include "shellext/win32/Registration.h"
#include "tests/e2e/win32/ProcessDriver.h"
#include "tests/win32/RegistrySeed.h"
#include "tests/win32/TempFolder.h"
#include "ui/win32/MainWindowIds.h"
#include "ui/win32/OptionsDialog.h"

namespace vt::e2e {
namespace {

using vt::testing::TempFolder;

constexpr char kCard[] = "{E2E0CA4D-0000-4000-8000-0000000000F1}";
constexpr char kSubkey[] = "9601";

struct LinkFields {
    std::string target, arguments, directory, description, icon;
    int show = -1, iconIndex = -1;
};

LinkFields ReadLink(const std::string& file) {
    LinkFields fields;
    IShellLinkA* link = nullptr;
    IPersistFile* persist = nullptr;
    CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                     reinterpret_cast<void**>(&link));
    if (!link) return fields;
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (persist && SUCCEEDED(persist->Load(wide, STGM_READ))) {
        char text[MAX_PATH] = {};
        link->GetPath(text, MAX_PATH, nullptr, 0);
        fields.target = text;
        link->GetArguments(text, MAX_PATH);
        fields.arguments = text;
        link->GetWorkingDirectory(text, MAX_PATH);
        fields.directory = text;
        link->GetDescription(text, MAX_PATH);
        fields.description = text;
        link->GetIconLocation(text, MAX_PATH, &fields.iconIndex);
        fields.icon = text;
        link->GetShowCmd(&fields.show);
    }
    if (persist) persist->Release();
    link->Release();
    return fields;
}

std::string Folder(int csidl) {
    char path[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE);
    return path;
}

class ShortcutsE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        CoInitialize(nullptr);
        // One card with a present device that is not started: applied disabled, Wine needs no
        // class installer for it.
        vt::testing::SeedAdapter(kSubkey, kCard, "ethernet", "Shortcut connection",
                                 std::string("ROOT\\NET\\") + kSubkey);
        vt::testing::SeedNetDevice(kSubkey, nullptr);
        TempFolder::WriteFile(folder.File("LocalSettings.Ini"),
                              "[Options]\r\nFilters=" + std::string(kCard) +
                                  ",\r\n[Configurations]\r\n{K1}=Home Lab\r\n[FriendlyName]\r\n"
                                  "Home Lab={K1}\r\n[{K1}" + kCard +
                                  "]\r\nToConfig=1\r\nToEnable=0\r\nAutoDHCP=0\r\nIPCount=1\r\n"
                                  "IPAddr0=192.0.2.8\r\nSubnetMask0=255.255.255.0\r\n");
    }
    void TearDown() override {
        vt::testing::RemoveAdapter(kSubkey, kCard);
        vt::testing::DeleteTree(std::string("SYSTEM\\CurrentControlSet\\Services\\") + kCard);
        vt::testing::DeleteTree(
            std::string("SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\") + kCard);
        vt::testing::DeleteTree(std::string(vt::testing::kEnumNetKey) + "\\" + kSubkey);
        CoUninitialize();
    }
    // Starts the program and selects its one configuration.
    HWND StartAndSelect(ProgramRun& run) {
        HWND window = run.WaitForWindow("TfrmMain");
        if (!window) return nullptr;
        HWND tree = GetDlgItem(window, vt::win32::kIdTree);
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(run.TreeItemsOf(tree).front().handle));
        return window;
    }
    TempFolder folder{"e2e-shortcuts"};
};

// On Windows 10, let through by the settings.
TEST_F(ShortcutsE2E, DesktopShortcutCarriesItsFieldsAndAppliesWhenOpened) {
    WineVersionFor newer("win10");
    const std::string settings = folder.File("LocalSettings.Ini");
    TempFolder::WriteFile(settings, "[Options]\r\nRunOnNewerWindows=1\r\n" +
                                        TempFolder::ReadFile(settings).substr(11));
    const std::string link = Folder(CSIDL_DESKTOPDIRECTORY) + "\\Home Lab.lnk";
    DeleteFileA(link.c_str());
    {
        ProgramRun run(folder.Path(), "");
        HWND window = StartAndSelect(run);
        ASSERT_NE(window, nullptr);
        PostMessageA(window, WM_COMMAND, vt::win32::kCmdDesktopShortcut, 0);
        ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run.Boxes().size() == 1; }));
        EXPECT_EQ(run.Boxes()[0].text, "\rA shortcut has been created successfully.   \r\r");
        EXPECT_EQ(run.CloseAndWait(window), 0);
    }
    const LinkFields fields = ReadLink(link);
    EXPECT_EQ(fields.target, folder.File("VelmoraTarvello.exe"));
    EXPECT_EQ(fields.arguments, "\"Home Lab\"");
    EXPECT_EQ(fields.directory, folder.Path() + "\\");
    EXPECT_EQ(fields.description, "Velmora Tarvello");
    EXPECT_EQ(fields.show, SW_SHOWNORMAL);
    EXPECT_EQ(fields.icon, "");

    // Opened through the shell, it applies its configuration and the program ends. The shell
    // may start it through a helper whose handle says nothing of the program: the program is
    // found by its name, and the test ends only after it has, or the clean-up would pull the
    // adapter away under it.
    SHELLEXECUTEINFOA open{};
    open.cbSize = sizeof open;
    open.fMask = SEE_MASK_NOCLOSEPROCESS;
    open.lpFile = link.c_str();
    open.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExA(&open));
    if (open.hProcess) CloseHandle(open.hProcess);
    const std::string key =
        std::string("SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\") + kCard;
    DWORD type = 0;
    HANDLE program = nullptr;
    EXPECT_TRUE(ProgramRun::WaitUntil(
        [&] {
            if (!program) program = OpenRunningProgram();
            return vt::testing::RawValue(key, "IPAddress", type) == std::string("192.0.2.8\0", 10);
        },
        20000));
    if (program) {  // seen running: its exit code tells
        EXPECT_EQ(WaitForSingleObject(program, 20000), WAIT_OBJECT_0);
        DWORD code = 99;
        GetExitCodeProcess(program, &code);
        CloseHandle(program);
        EXPECT_EQ(code, 0u);
    }
    EXPECT_TRUE(ProgramRun::WaitUntil(
        [] {
            HANDLE running = OpenRunningProgram();
            if (running) CloseHandle(running);
            return running == nullptr;
        },
        20000));
    DeleteFileA(link.c_str());
}

// The extension's class as the machine's classes hold it (Wine lets the program write there).
std::string InprocServer() {
    DWORD type = 0;
    std::string path = vt::testing::RawValue(std::string("SOFTWARE\\Classes\\CLSID\\") +
                                                 vt::win32::kExtensionClsid + "\\InprocServer32",
                                             "", type);
    if (!path.empty() && path.back() == '\0') path.pop_back();
    return path;
}

TEST_F(ShortcutsE2E, OptionsWriteTheAutorunLinkAndRegisterTheExtension) {
    const std::string link = Folder(CSIDL_STARTUP) + "\\Velmora Tarvello.lnk";
    DeleteFileA(link.c_str());
    folder.CopyFromBuild("contmenu.dll");
    {
        ProgramRun run(folder.Path(), "");
        HWND window = run.WaitForWindow("TfrmMain");
        ASSERT_NE(window, nullptr);
        PostMessageA(window, WM_COMMAND, vt::win32::kCmdOptions, 0);
        HWND options = nullptr;
        ASSERT_TRUE(ProgramRun::WaitUntil([&] {  // shown, with its controls made
            options = FindWindowA("#32770", "Options");
            return options && IsWindowVisible(options) && GetDlgItem(options, IDCANCEL);
        }));
        // Asked for again while it is open (the tray menu still works): the same one comes to
        // the front, none opens inside it.
        PostMessageA(window, WM_COMMAND, vt::win32::kCmdOptions, 0);
        Sleep(500);
        EXPECT_EQ(run.CountVisible("#32770", "Options"), 1);
        // About over it, asked for twice: one, owned by the options, so that closing it leaves
        // the main window disabled until the options close too.
        for (int twice = 0; twice < 2; ++twice)
            PostMessageA(window, WM_COMMAND, vt::win32::kCmdAbout, 0);
        HWND about = nullptr;
        ASSERT_TRUE(ProgramRun::WaitUntil(
            [&] { return (about = FindWindowA("#32770", "Product Information")) != nullptr; }));
        Sleep(500);
        EXPECT_EQ(run.CountVisible("#32770", "Product Information"), 1);
        EXPECT_EQ(GetWindow(about, GW_OWNER), options);
        PostMessageA(about, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(ProgramRun::WaitUntil([&] { return !IsWindow(about); }));
        EXPECT_FALSE(IsWindowEnabled(window));
        EXPECT_TRUE(IsWindowEnabled(options));
        SendDlgItemMessageA(options, vt::win32::kIdChkAutorun, BM_CLICK, 0, 0);
        PostMessageA(options, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(ProgramRun::WaitUntil([&] { return !IsWindow(options); }));
        // The box is on by default: the extension beside the program registers itself once the
        // dialog has closed (what OK promises, not the dialog's going, is waited for).
        EXPECT_TRUE(ProgramRun::WaitUntil([&] { return InprocServer() == folder.File("contmenu.dll"); }))
            << InprocServer();
        EXPECT_TRUE(IsWindowEnabled(window));
        // Off: unregistered at OK.
        PostMessageA(window, WM_COMMAND, vt::win32::kCmdOptions, 0);
        ASSERT_TRUE(ProgramRun::WaitUntil([&] {
            options = FindWindowA("#32770", "Options");
            return options && IsWindowVisible(options) && GetDlgItem(options, IDCANCEL);
        }));
        SendDlgItemMessageA(options, vt::win32::kIdChkEnableMenu, BM_CLICK, 0, 0);
        PostMessageA(options, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(ProgramRun::WaitUntil([&] { return InprocServer() == "<missing>"; }))
            << InprocServer();
        EXPECT_EQ(run.CloseAndWait(window), 0);
        EXPECT_TRUE(run.Boxes().empty());
    }
    const LinkFields fields = ReadLink(link);
    EXPECT_EQ(fields.target, folder.File("VelmoraTarvello.exe"));
    EXPECT_EQ(fields.arguments, "\"{1193B663-4421-44C4-9523-35DC33C01133}\"");
    EXPECT_EQ(fields.directory, folder.Path() + "\\");
    EXPECT_EQ(fields.description, "Velmora Tarvello");
    EXPECT_EQ(fields.icon, "");
    const std::string ini = TempFolder::ReadFile(folder.File("LocalSettings.Ini"));
    EXPECT_NE(ini.find("Autorun=1"), std::string::npos);
    DeleteFileA(link.c_str());
}

BOOL CALLBACK FindHelpViewer(HWND window, LPARAM found) {
    char caption[128] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (IsWindowVisible(window) && std::string(caption).find("Velmora Tarvello Help") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

TEST_F(ShortcutsE2E, F1OpensTheHelpFileInTheHelpViewer) {
    folder.CopyFromBuild("zendrelhelp.chm");
    ProgramRun run(folder.Path(), "");
    HWND window = run.WaitForWindow("TfrmMain");
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_KEYDOWN, VK_F1, 0x003B0001);
    HWND viewer = nullptr;
    EXPECT_TRUE(ProgramRun::WaitUntil(
        [&] {
            EnumWindows(FindHelpViewer, reinterpret_cast<LPARAM>(&viewer));
            return viewer != nullptr;
        },
        15000));
    if (viewer) PostMessageA(viewer, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.CloseAndWait(window), 0);
}

}  // namespace
}  // namespace vt::e2e
