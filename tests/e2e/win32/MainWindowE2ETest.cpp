// The real program's main window driven from another process, as a user would: add a
// configuration, rename it in place, edit a card, answer the save prompt, delete another; then
// the settings file read with kernel32's own private-profile functions.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "tests/e2e/win32/ProcessDriver.h"
#include "tests/win32/RegistrySeed.h"
#include "tests/win32/TempFolder.h"
#include "ui/win32/MainWindowIds.h"
#include "ui/win32/Win32EditorView.h"

namespace vt::e2e {
namespace {

using vt::testing::TempFolder;
using C = EditorControl;

constexpr char kCard[] = "{E2E0CA4D-0000-4000-8000-0000000000E1}";
constexpr char kSubkey[] = "9201";

std::string Profile(const std::string& path, const std::string& section, const std::string& key) {
    char value[512] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "<none>", value, sizeof value,
                             path.c_str());
    return value;
}

class MainWindowE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        vt::testing::SeedAdapter(kSubkey, kCard, "ethernet", "E2E Connection",
                                 std::string("ROOT\\NET\\") + kSubkey);
        TempFolder::WriteFile(path, "[Options]\r\nFilters=" + std::string(kCard) +
                                        ",\r\n[Configurations]\r\n{K1}=Office\r\n"
                                        "[FriendlyName]\r\nOffice={K1}\r\n[{K1}" + kCard +
                                        "]\r\nToConfig=1\r\n");
    }
    void TearDown() override { vt::testing::RemoveAdapter(kSubkey, kCard); }

    TempFolder folder{"e2e-window"};
    const std::string path = folder.File("LocalSettings.Ini");
};

TEST_F(MainWindowE2E, AddRenameEditSaveAndDelete) {
    ProgramRun run(folder.Path(), "", IDYES);  // every question answered Yes
    HWND window = run.WaitForWindow("TfrmMain");
    ASSERT_NE(window, nullptr);
    HWND tree = GetDlgItem(window, vt::win32::kIdTree);
    HWND page = GetDlgItem(window, vt::win32::kIdCardPage);
    const auto control = [&](C which) { return GetDlgItem(page, vt::win32::EditorId(which)); };

    PostMessageA(window, WM_COMMAND, vt::win32::kCmdAdd, 0);
    HWND edit = nullptr;
    ASSERT_TRUE(ProgramRun::WaitUntil(
        [&] { return (edit = reinterpret_cast<HWND>(SendMessageA(tree, TVM_GETEDITCONTROL, 0, 0))); }));
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Lab"));
    SendMessageA(tree, TVM_ENDEDITLABELNOW, FALSE, 0);
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run.TreeItemsOf(tree).back().text == "Lab"; }));

    // The new configuration is selected: make it change the card to a static address.
    SendMessageA(control(C::checkSelected), BM_CLICK, 0, 0);
    SendMessageA(control(C::checkIP), BM_CLICK, 0, 0);
    SendMessageA(control(C::edtIP), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("192.168.5.5"));
    SendMessageA(control(C::edtMask), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("255.255.255.0"));
    EXPECT_TRUE(IsWindowEnabled(control(C::btnSave)));
    // Leaving it asks to save (Yes), then Office goes (Yes).
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(run.TreeItemsOf(tree).front().handle));
    PostMessageA(window, WM_COMMAND, vt::win32::kCmdDelete, 0);
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run.TreeItemsOf(tree).size() == 1; }));
    EXPECT_EQ(run.CloseAndWait(window), 0);

    const auto boxes = run.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Save - Lab");
    EXPECT_EQ(boxes[0].icon, "question");
    EXPECT_EQ(boxes[1].caption, "Delete - Office");

    const std::string key = Profile(path, "FriendlyName", "Lab");
    ASSERT_EQ(key.size(), 38u);
    EXPECT_EQ(Profile(path, "Configurations", key), "Lab");
    EXPECT_EQ(Profile(path, key, "ShowInMenu"), "1");
    const std::string record = key + kCard;
    EXPECT_EQ(Profile(path, record, "ToConfig"), "1");
    EXPECT_EQ(Profile(path, record, "AutoDHCP"), "0");
    EXPECT_EQ(Profile(path, record, "IPAddr0"), "192.168.5.5");
    EXPECT_EQ(Profile(path, record, "SubnetMask0"), "255.255.255.0");
    EXPECT_EQ(Profile(path, record, "DNSCount"), "2");
    EXPECT_EQ(Profile(path, "FriendlyName", "Office"), "<none>");
    EXPECT_EQ(Profile(path, "Configurations", "{K1}"), "<none>");
    EXPECT_EQ(Profile(path, std::string("{K1}") + kCard, "ToConfig"), "<none>");
}

}  // namespace
}  // namespace vt::e2e
