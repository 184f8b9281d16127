// The real program under Wine: the version gate, the settings file it creates, its window and tree.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/win32/ProcessDriver.h"
#include "tests/win32/TempFolder.h"
#include "ui/win32/MainWindowIds.h"

namespace vt::e2e {
namespace {

using vt::testing::TempFolder;

// The program started in `folder` shows its window with the tree listing `items`, says nothing,
// and ends with 0 when closed.
void ExpectWindowListing(const std::string& folder, const std::vector<std::string>& items) {
    ProgramRun run(folder, "");
    HWND window = run.WaitForWindow("TfrmMain");
    ASSERT_NE(window, nullptr);
    bool anySelected = true;
    EXPECT_EQ(run.TreeItems(GetDlgItem(window, vt::win32::kIdTree), anySelected), items);
    EXPECT_EQ(run.CloseAndWait(window), 0);
    EXPECT_TRUE(run.Boxes().empty());
}

TEST(StartupE2E, EmptyFolderGetsOptionsWithAppPathAndTheWindowShows) {
    TempFolder folder("e2e-empty");
    ProgramRun run(folder.Path(), "");
    ASSERT_TRUE(run.Started());
    HWND window = run.WaitForWindow("TfrmMain");
    ASSERT_NE(window, nullptr);

    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "Velmora Tarvello 1.50");
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 792);
    EXPECT_EQ(client.bottom, 533);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    const std::string settings = TempFolder::ReadFile(folder.File("LocalSettings.Ini"));
    EXPECT_TRUE(lstrcmpiA(settings.c_str(),
                          ("[Options]\r\nAppPath=" + run.ExePath() + "\r\n").c_str()) == 0)
        << settings;

    EXPECT_EQ(run.CloseAndWait(window), 0);
    EXPECT_TRUE(run.Boxes().empty());
}

TEST(StartupE2E, NtFourGetsTheGateMessageAndNothingIsWritten) {
    TempFolder folder("e2e-gate");
    WineVersionFor nt4("nt40");
    ProgramRun run(folder.Path(), "");
    ASSERT_TRUE(run.Started());
    EXPECT_EQ(run.WaitForExit(), 0);
    const auto boxes = run.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Information");
    EXPECT_EQ(boxes[0].icon, "information");
    EXPECT_EQ(boxes[0].text,
              "\rSorry, this product can only be ran on Windows 2000, XP, 2003 or higher, Vista or "
              "Home Server 32b. The running is aborted.   \r\r");
    EXPECT_FALSE(run.MainWindowEverShown());
    EXPECT_EQ(TempFolder::ReadFile(folder.File("LocalSettings.Ini")), "<missing>");
}

// Windows 7 and 10 ask at the first start: No ends with the file as it was, Yes stores the answer
// and the window opens with its tree; after that the window and the tray start are as on XP.
TEST(StartupE2E, NewerWindowsAskOnceThenStartAsOnXP) {
    for (const char* version : {"win7", "win10"}) {
        SCOPED_TRACE(version);
        WineVersionFor newer(version);
        TempFolder folder("e2e-newer");
        const std::string path = folder.File("LocalSettings.Ini");
        const std::string before = "[Configurations]\r\n{K}=Alpha\r\n";
        TempFolder::WriteFile(path, before);
        {
            ProgramRun run(folder.Path(), "", IDNO);
            EXPECT_EQ(run.WaitForExit(), 0);
            ASSERT_EQ(run.Boxes().size(), 1u);
            EXPECT_EQ(run.Boxes()[0].caption, "Velmora Tarvello");
            EXPECT_EQ(run.Boxes()[0].icon, "question");
            EXPECT_FALSE(run.MainWindowEverShown());
            EXPECT_EQ(TempFolder::ReadFile(path), before);
        }
        {
            ProgramRun run(folder.Path(), "", IDYES);
            HWND window = run.WaitForWindow("TfrmMain");
            ASSERT_NE(window, nullptr);
            bool anySelected = true;
            EXPECT_EQ(run.TreeItems(GetDlgItem(window, vt::win32::kIdTree), anySelected),
                      std::vector<std::string>{"Alpha"});
            EXPECT_EQ(run.CloseAndWait(window), 0);
            EXPECT_EQ(run.Boxes().size(), 1u);
        }
        ExpectWindowListing(folder.Path(), {"Alpha"});  // remembered: nothing asked
        {
            ProgramRun run(folder.Path(), "{1193B663-4421-44C4-9523-35DC33C01133}");
            HWND hidden = nullptr;
            ASSERT_TRUE(ProgramRun::WaitUntil([&] {
                return (hidden = FindWindowA("TfrmMain", "Velmora Tarvello 1.50")) != nullptr;
            }));
            Sleep(300);
            EXPECT_FALSE(run.MainWindowEverShown());
            EXPECT_EQ(run.CloseAndWait(hidden), 0);
            EXPECT_TRUE(run.Boxes().empty());
        }
    }
}

TEST(StartupE2E, WindowsSevenInApplyModeAsksAndNoEndsWithAFailureCode) {
    TempFolder folder("e2e-gate-apply");
    WineVersionFor win7("win7");
    ProgramRun run(folder.Path(), "Office", IDNO);
    EXPECT_EQ(run.WaitForExit(), 2);
    ASSERT_EQ(run.Boxes().size(), 1u);
    EXPECT_EQ(run.Boxes()[0].icon, "question");
    EXPECT_EQ(TempFolder::ReadFile(folder.File("LocalSettings.Ini")), "<missing>");
}

// Started where nobody sees a window (a window station of its own, as a scheduled task or a
// service has): apply mode does not ask, and ends with its own code and nothing written.
TEST(StartupE2E, WindowsSevenInApplyModeWhereNobodySeesAWindowEndsWithoutAsking) {
    TempFolder folder("e2e-gate-unseen");
    WineVersionFor win7("win7");
    const HWINSTA station = CreateWindowStationA("VtUnseen", 0, WINSTA_ALL_ACCESS, nullptr);
    ASSERT_NE(station, nullptr);
    ProgramRun run(folder.Path(), "Office", IDYES, "VtUnseen\\Default");
    EXPECT_EQ(run.WaitForExit(), 4);
    EXPECT_TRUE(run.Boxes().empty());
    EXPECT_EQ(TempFolder::ReadFile(folder.File("LocalSettings.Ini")), "<missing>");
    CloseWindowStation(station);
}

TEST(StartupE2E, VistaPasses) {
    TempFolder folder("e2e-vista");
    WineVersionFor vista("vista");
    ProgramRun run(folder.Path(), "");
    HWND window = run.WaitForWindow("TfrmMain");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(run.CloseAndWait(window), 0);
}

TEST(StartupE2E, TreeListsConfigurationsInFileOrderNoneSelected) {
    TempFolder folder("e2e-tree");
    TempFolder::WriteFile(
        folder.File("LocalSettings.Ini"),
        "[Options]\r\nAppPath=C:\\old.exe\r\n\r\n[Configurations]\r\n"
        "{00000003-0000-4000-8000-000000000000}=Zulu Office\r\n"
        "{00000001-0000-4000-8000-000000000000}=Alpha\r\n"
        "{00000002-0000-4000-8000-000000000000}=Home\r\n\r\n"
        "[FriendlyName]\r\nZulu Office={00000003-0000-4000-8000-000000000000}\r\n");
    ProgramRun run(folder.Path(), "");
    HWND window = run.WaitForWindow("TfrmMain");
    ASSERT_NE(window, nullptr);
    HWND tree = FindWindowExA(window, nullptr, WC_TREEVIEWA, nullptr);
    ASSERT_NE(tree, nullptr);
    bool anySelected = true;
    EXPECT_EQ(run.TreeItems(tree, anySelected),
              (std::vector<std::string>{"Zulu Office", "Alpha", "Home"}));
    EXPECT_FALSE(anySelected);
    EXPECT_EQ(run.CloseAndWait(window), 0);
}

// Nothing reads AppPath: a settings file that refuses the write opens the window without a word.
TEST(StartupE2E, ReadOnlySettingsFileOpensTheWindowWithItsConfigurations) {
    TempFolder folder("e2e-readonly");
    const std::string path = folder.File("LocalSettings.Ini");
    TempFolder::WriteFile(path, "[Configurations]\r\n{K}=Alpha\r\n");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    ExpectWindowListing(folder.Path(), {"Alpha"});
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(TempFolder::ReadFile(path), "[Configurations]\r\n{K}=Alpha\r\n");
}

}  // namespace
}  // namespace vt::e2e
