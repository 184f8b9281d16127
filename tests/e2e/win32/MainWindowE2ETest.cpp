// The real program's main window driven from another process, as a user would: add a
// configuration, rename it in place, edit a card, answer the save prompt, delete another; then
// the settings file read with kernel32's own private-profile functions.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "tests/e2e/win32/ProcessDriver.h"
#include "tests/win32/RegistrySeed.h"
#include "tests/win32/TempFolder.h"
#include "ui/win32/KeepDialog.h"
#include "ui/win32/MainWindowIds.h"
#include "ui/win32/OptionsDialog.h"
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
    ProgramRun run(folder.Path(), "", IDYES);  // questions answered Yes unless a step says
    HWND window = run.WaitForWindow("TfrmMain");
    ASSERT_NE(window, nullptr);
    HWND tree = GetDlgItem(window, vt::win32::kIdTree);
    HWND page = GetDlgItem(window, vt::win32::kIdCardPage);
    const auto control = [&](C which) { return GetDlgItem(page, vt::win32::EditorId(which)); };
    const auto type = [&](HWND field, const char* text) {
        SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    };
    const auto labelEdit = [&] {
        HWND edit = nullptr;
        ProgramRun::WaitUntil([&] {
            return (edit = reinterpret_cast<HWND>(SendMessageA(tree, TVM_GETEDITCONTROL, 0, 0)));
        });
        return edit;
    };
    // Selects the first or the last configuration, as a click would; the questions it raises
    // are answered before this returns.
    const auto select = [&](bool first) {
        const auto items = run.TreeItemsOf(tree);
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(first ? items.front().handle : items.back().handle));
    };
    const auto labSelected = [&] {
        return SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) ==
               reinterpret_cast<LRESULT>(run.TreeItemsOf(tree).back().handle);
    };
    const auto saveEnabled = [&] { return IsWindowEnabled(control(C::btnSave)) != FALSE; };

    // Enter right after Add keeps the name offered, without a word; Rename then names it.
    PostMessageA(window, WM_COMMAND, vt::win32::kCmdAdd, 0);
    ASSERT_NE(labelEdit(), nullptr);
    SendMessageA(tree, TVM_ENDEDITLABELNOW, FALSE, 0);
    Sleep(300);
    EXPECT_EQ(SendMessageA(tree, TVM_GETEDITCONTROL, 0, 0), 0);
    EXPECT_TRUE(run.Boxes().empty());

    // Characters the settings file cannot hold are named, and nothing is stored in their place.
    PostMessageA(window, WM_COMMAND, vt::win32::kCmdRename, 0);
    const std::wstring typed = L"Caf\u00e9 \u03a9\u20ac\u4e2d";
    for (const wchar_t c : typed) PostMessageW(labelEdit(), WM_CHAR, c, 1);
    ASSERT_TRUE(ProgramRun::WaitUntil([&] {  // every character has reached the edit
        wchar_t text[32] = {};  // asked of the edit itself: it is another process's control
        SendMessageW(labelEdit(), WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text));
        return typed == text;
    }));
    SendMessageA(tree, TVM_ENDEDITLABELNOW, FALSE, 0);
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run.Boxes().size() == 1; }));
    EXPECT_EQ(run.Boxes()[0].text,
              "\rCannot rename \"New Configuration1\": The settings file cannot hold U+03A9 and "
              "U+4E2D, which the system's character set does not have.   \r\r");
    type(labelEdit(), "Lab");  // the edit starts again on the name it keeps
    SendMessageA(tree, TVM_ENDEDITLABELNOW, FALSE, 0);
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run.TreeItemsOf(tree).back().text == "Lab"; }));

    // The new configuration is selected: make it change the card to a static address.
    SendMessageA(control(C::checkSelected), BM_CLICK, 0, 0);
    SendMessageA(control(C::checkIP), BM_CLICK, 0, 0);
    type(control(C::edtIP), "192.168.5.5");
    type(control(C::edtMask), "255.255.255.0");
    EXPECT_TRUE(saveEnabled());

    // Alt with a menu's key opens that menu from the editor: no "&Cancel", no title box pressed.
    for (WPARAM key : {'c', 'f'}) {
        PostMessageA(ProgramRun::Segment(control(C::edtIP), 0), WM_SYSCHAR, key, 0x20000001);
        EXPECT_TRUE(ProgramRun::WaitUntil([&] { return run.OpenMenu() != nullptr; }, 3000));
        ASSERT_TRUE(run.CloseMenu(window));
    }
    EXPECT_TRUE(saveEnabled());
    EXPECT_EQ(SendMessageA(control(C::checkSelected), BM_GETCHECK, 0, 0), BST_CHECKED);

    // Add asks first: Cancel cancels it.
    run.AnswerNext({IDCANCEL});
    PostMessageA(window, WM_COMMAND, vt::win32::kCmdAdd, 0);
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run.Boxes().size() == 2; }));
    Sleep(200);
    EXPECT_EQ(run.TreeItemsOf(tree).size(), 2u);

    // Leaving with Yes runs the editor's checks; a save refused by the file system (another
    // program holds the file past the wait) keeps the selection and the edits too.
    type(control(C::edtIP), "");
    run.AnswerNext({IDYES, IDOK});
    select(true);
    EXPECT_TRUE(labSelected());
    type(control(C::edtIP), "192.168.5.5");
    {
        HeldFile held(path, 5000);
        run.AnswerNext({IDYES, IDOK});
        select(true);
        EXPECT_TRUE(labSelected());
        EXPECT_TRUE(saveEnabled());
    }
    select(true);  // saved now
    select(false);
    EXPECT_FALSE(saveEnabled());
    // Emptying one segment is an edit.
    type(ProgramRun::Segment(control(C::edtIP), 3), "");
    EXPECT_TRUE(saveEnabled());
    type(ProgramRun::Segment(control(C::edtIP), 3), "6");
    type(control(C::edtGateway), "192.168.5.1");

    // Options that change the adapters ask first, in the dialog: Cancel stays there and stores
    // nothing. The lists' menu opens from the keyboard too.
    PostMessageA(window, WM_COMMAND, vt::win32::kCmdOptions, 0);
    HWND options = nullptr;
    ASSERT_TRUE(ProgramRun::WaitUntil([&] {
        options = FindWindowA("#32770", "Options");
        return options && IsWindowVisible(options) && GetDlgItem(options, IDCANCEL);
    }));
    HWND cards = GetDlgItem(options, vt::win32::kIdLvCardList);
    PostMessageA(cards, WM_KEYDOWN, VK_APPS, 0);  // the menu key
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run.OpenMenu() != nullptr; }, 3000));
    PostMessageA(run.OpenMenu(), WM_CHAR, 'c', 0);  // "&Clear Selected"
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return !run.OpenMenu(); }, 3000));
    run.AnswerNext({IDCANCEL});
    const size_t boxes = run.Boxes().size();
    PostMessageA(options, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run.Boxes().size() == boxes + 1; }));
    Sleep(200);
    EXPECT_TRUE(IsWindowVisible(options));
    EXPECT_EQ(Profile(path, "Options", "Filters"), std::string(kCard) + ",");
    PostMessageA(options, WM_COMMAND, IDOK, 0);  // Yes, then the notice of no adapters
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return !IsWindow(options); }));

    select(true);
    PostMessageA(window, WM_COMMAND, vt::win32::kCmdDelete, 0);
    ASSERT_TRUE(ProgramRun::WaitUntil([&] {
        return run.TreeItemsOf(tree).size() == 1 && run.Boxes().back().caption == "Delete - Office";
    }));
    EXPECT_EQ(run.CloseAndWait(window), 0);

    std::vector<std::string> captions;
    for (const SeenBox& box : run.Boxes()) captions.push_back(box.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{
                            "Rename - New Configuration1", "Save - Lab", "Save - Lab", "Save - Lab",
                            "Save - Lab", "Velmora Tarvello", "Save - Lab", "Save - Lab",
                            "Save - Lab", "Information", "Delete - Office"}));
    EXPECT_EQ(run.Boxes()[3].text, "\rIP Address: can not be empty.   \r\r");
    EXPECT_EQ(run.Boxes()[5].text, "Unable to write to " + path);

    const std::string key = Profile(path, "FriendlyName", "Lab");
    ASSERT_EQ(key.size(), 38u);
    EXPECT_EQ(Profile(path, "Configurations", key), "Lab");
    EXPECT_EQ(Profile(path, key, "ShowInMenu"), "1");
    const std::string record = key + kCard;
    EXPECT_EQ(Profile(path, record, "ToConfig"), "1");
    EXPECT_EQ(Profile(path, record, "AutoDHCP"), "0");
    EXPECT_EQ(Profile(path, record, "IPAddr0"), "192.168.5.6");
    EXPECT_EQ(Profile(path, record, "SubnetMask0"), "255.255.255.0");
    EXPECT_EQ(Profile(path, record, "Gateway0"), "192.168.5.1");
    EXPECT_EQ(Profile(path, record, "DNSCount"), "2");
    EXPECT_EQ(Profile(path, "Options", "Filters"), "");
    EXPECT_EQ(Profile(path, "FriendlyName", "Office"), "<none>");
    EXPECT_EQ(Profile(path, "Configurations", "{K1}"), "<none>");
    EXPECT_EQ(Profile(path, std::string("{K1}") + kCard, "ToConfig"), "<none>");
}

// Take Current Settings: the card's interface key fills the editor, stored only by Save; a DHCP
// card checks the automatic boxes and keeps the fields; a card without a key says so.
TEST_F(MainWindowE2E, TakeCurrentSettingsFillsTheEditorUntilSave) {
    const std::string key =
        std::string("SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\") + kCard;
    vt::testing::SetValue(key, "EnableDHCP", REG_DWORD, std::string(4, '\0'));
    vt::testing::SetValue(key, "IPAddress", REG_MULTI_SZ,
                          std::string("192.0.2.5\0"
                                      "192.0.2.6\0\0",
                                      21));
    vt::testing::SetValue(key, "SubnetMask", REG_MULTI_SZ,
                          std::string("255.255.255.0\0"
                                      "255.255.0.0\0\0",
                                      27));
    vt::testing::SetValue(key, "DefaultGateway", REG_MULTI_SZ, std::string("192.0.2.1\0\0", 11));
    vt::testing::SetValue(key, "NameServer", REG_SZ, std::string("192.0.2.53,192.0.2.54\0", 22));
    ProgramRun run(folder.Path(), "");
    HWND window = run.WaitForWindow("TfrmMain");
    ASSERT_NE(window, nullptr);
    HWND tree = GetDlgItem(window, vt::win32::kIdTree);
    HWND page = GetDlgItem(window, vt::win32::kIdCardPage);
    const auto control = [&](C which) { return GetDlgItem(page, vt::win32::EditorId(which)); };
    const auto text = [&](C which) {  // as a screen reader reads it, from the system
        char value[64] = {};
        GetWindowTextA(control(which), value, sizeof value);
        return std::string(value);
    };
    const auto checked = [&](C which) {
        return SendMessageA(control(which), BM_GETCHECK, 0, 0) == BST_CHECKED;
    };
    const auto take = [&] { SendMessageA(window, WM_COMMAND, vt::win32::kCmdTakeCurrent, 0); };

    // Changed, then held past the wait while Office is selected: no defaults shown in its place,
    // and the next click loads the record rather than writing one.
    TempFolder::WriteFile(path, TempFolder::ReadFile(path) + "\r\n");
    const std::string before = TempFolder::ReadFile(path);
    {
        HeldFile held(path, 4000);
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(run.TreeItemsOf(tree).front().handle));
        ASSERT_EQ(run.Boxes().size(), 1u);
        EXPECT_EQ(run.Boxes()[0].text, "Unable to read " + path);
        EXPECT_FALSE(checked(C::checkSelected) || IsWindowEnabled(control(C::edtIP)));
    }
    SendMessageA(control(C::checkSelected), BM_CLICK, 0, 0);
    EXPECT_TRUE(checked(C::checkSelected));  // ToConfig=1, as the file holds it
    EXPECT_EQ(TempFolder::ReadFile(path), before);

    take();
    EXPECT_FALSE(checked(C::checkIP) || checked(C::checkDNS));
    EXPECT_EQ(text(C::edtIP), "192.0.2.5");
    EXPECT_EQ(text(C::edtMask), "255.255.255.0");
    EXPECT_EQ(text(C::edtGateway), "192.0.2.1");
    EXPECT_EQ(text(C::edtDns0), "192.0.2.53");
    EXPECT_EQ(text(C::edtDns1), "192.0.2.54");
    EXPECT_EQ(TempFolder::ReadFile(path), before);
    SendMessageA(control(C::btnSave), BM_CLICK, 0, 0);
    const std::string record = std::string("{K1}") + kCard;
    EXPECT_EQ(Profile(path, record, "AutoDHCP"), "0");
    EXPECT_EQ(Profile(path, record, "IPCount"), "2");
    EXPECT_EQ(Profile(path, record, "IPAddr1"), "192.0.2.6");
    EXPECT_EQ(Profile(path, record, "SubnetMask1"), "255.255.0.0");
    EXPECT_EQ(Profile(path, record, "GatewayCount"), "1");
    EXPECT_EQ(Profile(path, record, "Gateway0"), "192.0.2.1");
    EXPECT_EQ(Profile(path, record, "DNSCount"), "2");
    EXPECT_EQ(Profile(path, record, "DNSAddr1"), "192.0.2.54");
    const std::string saved = TempFolder::ReadFile(path);

    vt::testing::SetValue(key, "EnableDHCP", REG_DWORD, std::string("\1\0\0\0", 4));
    vt::testing::SetValue(key, "NameServer", REG_SZ, std::string(1, '\0'));
    take();
    EXPECT_TRUE(checked(C::checkIP) && checked(C::checkDNS));
    EXPECT_EQ(text(C::edtIP), "192.0.2.5");
    EXPECT_EQ(text(C::edtDns0), "192.0.2.53");
    SendMessageA(control(C::btnCancel), BM_CLICK, 0, 0);
    EXPECT_FALSE(checked(C::checkIP));

    vt::testing::DeleteTree(key);
    take();
    ASSERT_EQ(run.Boxes().size(), 2u);
    EXPECT_EQ(run.Boxes()[1].text, "\rNo current settings can be read for E2E Connection.   \r\r");
    EXPECT_EQ(run.Boxes()[1].caption, "Velmora Tarvello");
    EXPECT_FALSE(IsWindowEnabled(control(C::btnSave)));
    EXPECT_EQ(run.CloseAndWait(window), 0);
    EXPECT_EQ(TempFolder::ReadFile(path), saved);
}

// Asked to keep: "&Restore Now" brings the card back at once and the window goes on; the next
// apply is kept.
TEST_F(MainWindowE2E, ApplyAskedToKeepRestoresNowThenKeepsTheNextOne) {
    const std::string key =
        std::string("SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\") + kCard;
    vt::testing::SetValue(key, "EnableDHCP", REG_DWORD, std::string("\1\0\0\0", 4));
    vt::testing::SeedNetDevice(kSubkey, nullptr);
    TempFolder::WriteFile(path, "[Options]\r\nConfirmApply=1\r\nConfirmSeconds=600\r\nFilters=" +
                                    std::string(kCard) +
                                    ",\r\n[Configurations]\r\n{K1}=Office\r\n"
                                    "[FriendlyName]\r\nOffice={K1}\r\n[{K1}" + kCard +
                                    "]\r\nToConfig=1\r\nToEnable=0\r\nAutoDHCP=0\r\nAutoDNS=0\r\n"
                                    "IPCount=1\r\nIPAddr0=10.0.0.2\r\nSubnetMask0=255.0.0.0\r\n");
    const auto dhcp = [&] {
        DWORD type = 0;
        return vt::testing::RawValue(key, "EnableDHCP", type);
    };
    ProgramRun run(folder.Path(), "");
    HWND window = run.WaitForWindow("TfrmMain");
    ASSERT_NE(window, nullptr);
    HWND tree = GetDlgItem(window, vt::win32::kIdTree);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(run.TreeItemsOf(tree).front().handle));
    for (const int answer : {vt::win32::kIdBtnRestoreNow, vt::win32::kIdBtnKeep}) {
        SCOPED_TRACE(answer);
        PostMessageA(window, WM_COMMAND, vt::win32::kCmdApply, 0);  // the dialog runs meanwhile
        HWND dialog = run.WaitForWindow("#32770");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dhcp(), std::string(4, '\0'));  // applied while it asks
        SendMessageA(GetDlgItem(dialog, answer), BM_CLICK, 0, 0);
        // What the answer promises: the value kept, or written back.
        const std::string expected =
            answer == vt::win32::kIdBtnKeep ? std::string(4, '\0') : std::string("\1\0\0\0", 4);
        EXPECT_TRUE(ProgramRun::WaitUntil([&] { return !IsWindow(dialog) && dhcp() == expected; }));
        DWORD_PTR result = 0;
        EXPECT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result));
        EXPECT_EQ(dhcp(), expected);
    }
    EXPECT_TRUE(run.Boxes().empty());
    EXPECT_EQ(run.CloseAndWait(window), 0);
    vt::testing::DeleteTree(key);
    vt::testing::DeleteTree(std::string("SYSTEM\\CurrentControlSet\\Services\\") + kCard);
    vt::testing::DeleteTree(std::string(vt::testing::kEnumNetKey) + "\\" + kSubkey);
}

// Two copies on one settings file, as one started at logon in the tray and one the user starts:
// each checks a name against the file as it stands when the name is written.
TEST_F(MainWindowE2E, TwoCopiesNeverGiveOneNameTwice) {
    ProgramRun first(folder.Path(), ""), second(folder.Path(), "");
    HWND windows[] = {first.WaitForWindow("TfrmMain"), second.WaitForWindow("TfrmMain")};
    ASSERT_TRUE(windows[0] && windows[1]);
    // Edits the selected configuration's name: the text typed, or the name offered kept.
    const auto name = [](HWND window, int command, const char* text) {
        HWND tree = GetDlgItem(window, vt::win32::kIdTree), edit = nullptr;
        PostMessageA(window, WM_COMMAND, command, 0);
        ProgramRun::WaitUntil([&] {
            return (edit = reinterpret_cast<HWND>(SendMessageA(tree, TVM_GETEDITCONTROL, 0, 0)));
        });
        if (text) SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        SendMessageA(tree, TVM_ENDEDITLABELNOW, FALSE, 0);
        Sleep(300);
    };
    for (HWND window : windows) name(window, vt::win32::kCmdAdd, nullptr);
    HWND firstTree = GetDlgItem(windows[0], vt::win32::kIdTree);
    SendMessageA(firstTree, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(first.TreeItemsOf(firstTree).front().handle));
    name(windows[0], vt::win32::kCmdRename, "Lab");
    name(windows[1], vt::win32::kCmdRename, "LAB");  // its tree still shows Office
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return second.Boxes().size() == 1; }));
    EXPECT_EQ(second.Boxes()[0].text,
              "\rCannot rename \"New Configuration2\": The name you specified already exists. "
              "specify a different name.   \r\r");
    EXPECT_EQ(first.CloseAndWait(windows[0]), 0);
    EXPECT_EQ(second.CloseAndWait(windows[1]), 0);

    const std::string ini = TempFolder::ReadFile(path);
    for (const char* entry :
         {"\r\nLab={K1}", "\r\nNew Configuration1={", "\r\nNew Configuration2={"})
        EXPECT_NE(ini.find(entry), std::string::npos) << entry;
    for (const char* once : {"=Lab\r\n", "=New Configuration1\r\n", "=New Configuration2\r\n"})
        EXPECT_EQ(ini.find(once), ini.rfind(once)) << once;
    EXPECT_EQ(ini.find("LAB"), std::string::npos);
}

// Two copies save one record: each keeps the other's change. Then the file is re-encoded and
// removed behind the window's back, between two of its actions.
TEST_F(MainWindowE2E, TwoCopiesSaveOneRecordAndTheFileChangesBehindTheWindow) {
    ProgramRun first(folder.Path(), ""), second(folder.Path(), "");
    HWND windows[] = {first.WaitForWindow("TfrmMain"), second.WaitForWindow("TfrmMain")};
    ASSERT_TRUE(windows[0] && windows[1]);
    const auto control = [](HWND window, C which) {
        return GetDlgItem(GetDlgItem(window, vt::win32::kIdCardPage), vt::win32::EditorId(which));
    };
    const auto edit = [&](HWND window, ProgramRun& run, C field, const char* text) {
        HWND tree = GetDlgItem(window, vt::win32::kIdTree);
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(run.TreeItemsOf(tree).front().handle));
        if (SendMessageA(control(window, C::checkIP), BM_GETCHECK, 0, 0) == BST_CHECKED)
            SendMessageA(control(window, C::checkIP), BM_CLICK, 0, 0);
        SendMessageA(control(window, C::edtIP), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>("10.1.0.5"));
        SendMessageA(control(window, C::edtMask), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>("255.255.0.0"));
        SendMessageA(control(window, field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    };
    const std::string record = std::string("{K1}") + kCard;
    edit(windows[0], first, C::edtGateway, "10.1.0.1");
    edit(windows[1], second, C::edtDns0, "10.1.0.53");
    SendMessageA(control(windows[1], C::btnSave), BM_CLICK, 0, 0);
    EXPECT_EQ(second.CloseAndWait(windows[1]), 0);
    SendMessageA(control(windows[0], C::btnSave), BM_CLICK, 0, 0);
    EXPECT_EQ(Profile(path, record, "Gateway0"), "10.1.0.1");
    EXPECT_EQ(Profile(path, record, "DNSAddr0"), "10.1.0.53");
    EXPECT_TRUE(first.Boxes().empty());

    // Kept as UTF-16 without a mark by another editor: read, and written in that form.
    std::string utf16;
    for (const char c : TempFolder::ReadFile(path)) utf16 += std::string(1, c) + '\0';
    TempFolder::WriteFile(path, utf16);
    edit(windows[0], first, C::edtGateway, "10.1.0.2");
    SendMessageA(control(windows[0], C::btnSave), BM_CLICK, 0, 0);
    const std::string saved = TempFolder::ReadFile(path);
    EXPECT_EQ(saved.substr(0, 2), std::string("[\0", 2));  // no mark, NULs laid out as before
    EXPECT_NE(saved.find(std::string("1\0" "0\0.\0" "1\0.\0" "0\0.\0" "2\0", 16)), std::string::npos);
    EXPECT_TRUE(first.Boxes().empty());

    // Removed: the next action says so once, and writes nothing for the configuration it lost.
    DeleteFileA(path.c_str());
    SendMessageA(control(windows[0], C::btnSave), BM_CLICK, 0, 0);
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return first.Boxes().size() == 1; }));
    EXPECT_EQ(first.Boxes()[0].text, "\rThe settings file " + path +
                                         " was removed or replaced. The window now shows what it "
                                         "holds.   \r\r");
    EXPECT_TRUE(first.TreeItemsOf(GetDlgItem(windows[0], vt::win32::kIdTree)).empty());
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(first.CloseAndWait(windows[0]), 0);
}

}  // namespace
}  // namespace vt::e2e
