// Apply mode of the real program under Wine: seeded adapters, a settings file, the registry read
// back byte for byte.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "tests/e2e/win32/ProcessDriver.h"
#include "tests/win32/RegistrySeed.h"
#include "tests/win32/TempFolder.h"
#include "ui/win32/KeepDialog.h"

namespace vt::e2e {
namespace {

using vt::testing::RawValue;
using vt::testing::TempFolder;
using Bytes = std::string;

constexpr char kConfigKey[] = "{E2E00000-0000-4000-8000-0000000000C1}";
const char* const kIds[] = {"{E2E0CA4D-0000-4000-8000-000000000001}",
                            "{E2E0CA4D-0000-4000-8000-000000000002}",
                            "{E2E0CA4D-0000-4000-8000-000000000003}"};
const char* const kSubkeys[] = {"9101", "9102", "9103"};

std::string AdapterKey(int i) {
    return std::string("SYSTEM\\CurrentControlSet\\Services\\") + kIds[i] + "\\Parameters\\Tcpip";
}
std::string InterfaceKey(int i) {
    return std::string("SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\") +
           kIds[i];
}

// Three adapters; only the first has a present device. "Office Net" changes the first (static,
// left disabled, so Wine needs no class installer) and the third (DHCP, whose device is gone);
// the second is not to be touched.
class ApplyModeE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        Clean();
        for (int i = 0; i < 3; ++i)
            vt::testing::SeedAdapter(kSubkeys[i], kIds[i], "ndis5,ethernet",
                                     "Connection " + std::to_string(i + 1),
                                     std::string("ROOT\\NET\\") + kSubkeys[i]);
        vt::testing::SeedNetDevice(kSubkeys[0], "Seeded Ethernet");
        std::string ini = "[Options]\r\nFilters=";
        for (const char* id : kIds) ini += std::string(id) + ",";
        ini += "\r\n\r\n[Configurations]\r\n" + std::string(kConfigKey) + "=Office Net\r\n\r\n";
        ini += "[FriendlyName]\r\nOffice Net=" + std::string(kConfigKey) + "\r\n\r\n";
        ini += Section(0) +
               "ToConfig=1\r\nToEnable=0\r\nAutoDHCP=0\r\nAutoDNS=0\r\nIPCount=2\r\n"
               "IPAddr0=10.0.0.2\r\nSubnetMask0=255.0.0.0\r\nIPAddr1=10.0.0.3\r\n"
               "SubnetMask1=255.255.0.0\r\nGatewayCount=1\r\nGateway0=10.0.0.1\r\nDNSCount=2\r\n"
               "DNSAddr0=10.0.0.1\r\nDNSAddr1=10.0.0.9\r\n\r\n";
        ini += Section(1) + "ToConfig=0\r\nAutoDHCP=0\r\nIPCount=1\r\nIPAddr0=192.168.9.9\r\n\r\n";
        ini += Section(2) + "ToConfig=1\r\nToEnable=1\r\nAutoDHCP=1\r\nAutoDNS=1\r\n";
        TempFolder::WriteFile(folder.File("LocalSettings.Ini"), ini);
    }
    void TearDown() override { Clean(); }
    static std::string Section(int i) { return "[" + std::string(kConfigKey) + kIds[i] + "]\r\n"; }
    static void Clean() {
        vt::testing::DenyAllAccess(AdapterKey(0), true);
        for (int i = 0; i < 3; ++i) {
            vt::testing::RemoveAdapter(kSubkeys[i], kIds[i]);
            vt::testing::DeleteTree(std::string("SYSTEM\\CurrentControlSet\\Services\\") + kIds[i]);
            vt::testing::DeleteTree(InterfaceKey(i));
        }
        vt::testing::DeleteTree(std::string(vt::testing::kEnumNetKey) + "\\" + kSubkeys[0]);
    }
    static Bytes Value(const std::string& key, const char* name, DWORD expectedType) {
        DWORD type = 0;
        Bytes data = RawValue(key, name, type);
        if (data != "<missing>" && type != expectedType)
            return "<type " + std::to_string(type) + ">";
        return data;
    }
    // Leaves only the first card to be changed (the third card's device is gone); returns the
    // file's new text.
    std::string ChangeOnlyTheFirstCard() {
        const std::string path = folder.File("LocalSettings.Ini");
        std::string ini = TempFolder::ReadFile(path);
        ini.replace(ini.rfind("ToConfig=1"), 10, "ToConfig=0");
        TempFolder::WriteFile(path, ini);
        return ini;
    }
    static Bytes FirstCardAddresses() { return Value(InterfaceKey(0), "IPAddress", REG_MULTI_SZ); }
    static Bytes ConfiguredAddresses() {
        return Bytes("10.0.0.2\0"
                     "10.0.0.3\0",
                     18);
    }
    // The first card's values, byte for byte.
    static void ExpectFirstCardWritten() {
        for (const std::string& key : {AdapterKey(0), InterfaceKey(0)}) {
            SCOPED_TRACE(key);
            EXPECT_EQ(Value(key, "EnableDHCP", REG_DWORD), Bytes("\0\0\0\0", 4));
            EXPECT_EQ(Value(key, "IPAddress", REG_MULTI_SZ), ConfiguredAddresses());
            EXPECT_EQ(Value(key, "SubnetMask", REG_MULTI_SZ), Bytes("255.0.0.0\0"
                                                                    "255.255.0.0\0",
                                                                    22));
            EXPECT_EQ(Value(key, "DefaultGateway", REG_MULTI_SZ), Bytes("10.0.0.1\0\0", 10));
        }
        EXPECT_EQ(Value(InterfaceKey(0), "NameServer", REG_SZ), Bytes("10.0.0.1,10.0.0.9\0", 18));
        EXPECT_EQ(Value(AdapterKey(0), "NameServer", REG_SZ), "<missing>");
    }
    bool NothingWritten() {
        for (int i = 0; i < 3; ++i)
            if (vt::testing::KeyExists(AdapterKey(i)) || vt::testing::KeyExists(InterfaceKey(i)))
                return false;
        return true;
    }
    TempFolder folder{"e2e-apply"};
};

TEST_F(ApplyModeE2E, AppliesTheNamedConfigurationToTheCardsThatAskForIt) {
    ProgramRun run(folder.Path(), "\"office NET\" ignored-second-argument");
    ASSERT_TRUE(run.Started());
    EXPECT_EQ(run.WaitForExit(), 2);  // the third card's device is gone
    ExpectFirstCardWritten();

    EXPECT_FALSE(vt::testing::KeyExists(AdapterKey(1)));
    EXPECT_FALSE(vt::testing::KeyExists(InterfaceKey(1)));

    for (const std::string& key : {AdapterKey(2), InterfaceKey(2)}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(Value(key, "EnableDHCP", REG_DWORD), Bytes("\1\0\0\0", 4));
        EXPECT_EQ(Value(key, "IPAddress", REG_MULTI_SZ), Bytes("0.0.0.0\0", 8));
        EXPECT_EQ(Value(key, "SubnetMask", REG_MULTI_SZ), Bytes("0.0.0.0\0", 8));
        EXPECT_EQ(Value(key, "DefaultGateway", REG_MULTI_SZ), Bytes(1, '\0'));
    }
    EXPECT_EQ(Value(InterfaceKey(2), "DHCPNameServer", REG_SZ), Bytes(1, '\0'));
    EXPECT_EQ(Value(InterfaceKey(2), "NameServer", REG_SZ), Bytes(1, '\0'));

    const auto boxes = run.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Connection 3");
    EXPECT_EQ(boxes[0].text, "\rApply Failed: Seeded adapter 9103 does not exist.   \r\r");
    EXPECT_EQ(boxes[0].icon, "none");
    EXPECT_FALSE(run.MainWindowEverShown());
    EXPECT_EQ(vt::testing::BoxWatcher::FindVisible(0, "TfrmMain"), nullptr);
}

TEST_F(ApplyModeE2E, EveryCardAppliedEndsWithCodeZeroAndNoMessage) {
    ChangeOnlyTheFirstCard();
    ProgramRun run(folder.Path(), "\"Office Net\"");
    EXPECT_EQ(run.WaitForExit(), 0);
    EXPECT_TRUE(run.Boxes().empty());
    EXPECT_EQ(FirstCardAddresses(), ConfiguredAddresses());
    EXPECT_FALSE(vt::testing::KeyExists(InterfaceKey(2)));
}

// On Windows 7 and 10, let through by the settings, apply mode writes what it writes on XP.
TEST_F(ApplyModeE2E, NewerWindowsWithTheOptInApplyTheSameBytes) {
    std::string ini = ChangeOnlyTheFirstCard();
    ini.insert(ini.find("Filters="), "RunOnNewerWindows=1\r\n");
    TempFolder::WriteFile(folder.File("LocalSettings.Ini"), ini);
    for (const char* version : {"win7", "win10"}) {
        SCOPED_TRACE(version);
        WineVersionFor newer(version);
        ProgramRun run(folder.Path(), "\"Office Net\"");
        EXPECT_EQ(run.WaitForExit(), 0);
        EXPECT_TRUE(run.Boxes().empty());
        ExpectFirstCardWritten();
        vt::testing::DeleteTree(InterfaceKey(0));  // written again by the next run
    }
}

TEST_F(ApplyModeE2E, RefusedRegistryKeyIsReportedNoLaterCardTouchedAndTheProgramEnds) {
    ASSERT_TRUE(vt::testing::DenyAllAccess(AdapterKey(0)));
    ProgramRun run(folder.Path(), "\"Office Net\"");
    EXPECT_EQ(run.WaitForExit(), 2);
    const auto boxes = run.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Velmora Tarvello");
    EXPECT_EQ(boxes[0].text, "Failed to set data for 'EnableDHCP'");
    EXPECT_EQ(boxes[0].icon, "error");
    EXPECT_FALSE(vt::testing::KeyExists(InterfaceKey(0)));
    EXPECT_FALSE(vt::testing::KeyExists(AdapterKey(2)));
    EXPECT_FALSE(vt::testing::KeyExists(InterfaceKey(2)));
    EXPECT_FALSE(run.MainWindowEverShown());
}

TEST_F(ApplyModeE2E, UnknownNameIsReportedEndsWithCodeOneAndWritesNothing) {
    ProgramRun run(folder.Path(), "Office");  // unquoted "Office Net" would arrive as "Office"
    EXPECT_EQ(run.WaitForExit(), 1);
    const auto boxes = run.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Apply Failed: Office");
    EXPECT_EQ(boxes[0].text, "\rConfiguration \"Office\" does not exist.   \r\r");
    EXPECT_TRUE(NothingWritten());
    EXPECT_FALSE(run.MainWindowEverShown());
}

TEST_F(ApplyModeE2E, TrayArgumentInLowerCaseIsTakenAsAName) {
    ProgramRun run(folder.Path(), "{1193b663-4421-44c4-9523-35dc33c01133}");
    EXPECT_EQ(run.WaitForExit(), 1);
    const auto boxes = run.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Apply Failed: {1193b663-4421-44c4-9523-35dc33c01133}");
    EXPECT_TRUE(NothingWritten());
}

// A settings file that this program cannot write is applied all the same: nothing reads the
// AppPath that the start would write. The file stays byte for byte.
TEST_F(ApplyModeE2E, ReadOnlySettingsFileIsAppliedAndKeptAsItWas) {
    const std::string path = folder.File("LocalSettings.Ini");
    const std::string ini = ChangeOnlyTheFirstCard();
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        ProgramRun run(folder.Path(), "\"Office Net\"");
        EXPECT_EQ(run.WaitForExit(), 0);
        EXPECT_TRUE(run.Boxes().empty());
        EXPECT_FALSE(run.MainWindowEverShown());
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(TempFolder::ReadFile(path), ini);
    EXPECT_EQ(FirstCardAddresses(), ConfiguredAddresses());

    // A folder where the file should be: there is no configuration to apply.
    Clean();
    DeleteFileA(path.c_str());
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    ProgramRun run(folder.Path(), "\"Office Net\"");
    EXPECT_EQ(run.WaitForExit(), 1);
    EXPECT_FALSE(run.MainWindowEverShown());
    RemoveDirectoryA(path.c_str());
    EXPECT_TRUE(NothingWritten());
}

std::string WithoutAppPath(std::string ini) {
    const size_t at = ini.find("AppPath=");
    if (at != std::string::npos) ini.erase(at, ini.find("\r\n", at) + 2 - at);
    return ini;
}

TEST_F(ApplyModeE2E, SettingsFileHeldForAMomentIsWaitedOutAndApplied) {
    const std::string path = folder.File("LocalSettings.Ini");
    const std::string ini = ChangeOnlyTheFirstCard();
    HeldFile held(path, 1000);
    ASSERT_TRUE(held.Holding());
    ProgramRun run(folder.Path(), "\"Office Net\"");
    EXPECT_EQ(run.WaitForExit(), 0);
    EXPECT_TRUE(run.Boxes().empty());
    EXPECT_EQ(FirstCardAddresses(), ConfiguredAddresses());
    // Every configuration is still there, byte for byte; only AppPath was added.
    EXPECT_EQ(WithoutAppPath(TempFolder::ReadFile(path)), ini);
}

// Also with the window asked for: no window opens on a file it did not read.
TEST_F(ApplyModeE2E, SettingsFileHeldLongerThanTheWaitEndsWithCodeTwoAndTheMessage) {
    const std::string path = folder.File("LocalSettings.Ini");
    const std::string ini = TempFolder::ReadFile(path);
    for (const char* arguments : {"\"Office Net\"", ""}) {
        HeldFile held(path, 4000);
        ProgramRun run(folder.Path(), arguments);
        EXPECT_EQ(run.WaitForExit(), 2);
        const auto boxes = run.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Unable to read " + path);
        EXPECT_FALSE(run.MainWindowEverShown());
    }
    EXPECT_TRUE(NothingWritten());
    EXPECT_EQ(TempFolder::ReadFile(path), ini);
}

TEST_F(ApplyModeE2E, AppPathIsRewrittenInApplyModeToo) {
    ProgramRun run(folder.Path(), "Nothing");
    EXPECT_EQ(run.WaitForExit(), 1);
    const std::string ini = TempFolder::ReadFile(folder.File("LocalSettings.Ini"));
    const size_t appPath = ini.find("\r\nAppPath=" + run.ExePath() + "\r\n");
    EXPECT_NE(appPath, std::string::npos) << ini;
    EXPECT_LT(appPath, ini.find("[Configurations]"));  // in section Options
}

// Explorer's way in: the extension beside the program, registered and made through COM, lists the
// configuration and starts the program that applies it; without the program, one message says so.
TEST_F(ApplyModeE2E, TheExplorerMenuStartsTheProgramThatAppliesTheConfiguration) {
    std::string ini = ChangeOnlyTheFirstCard();
    ini += "\r\n[" + std::string(kConfigKey) + "]\r\nShowInMenu=1\r\n";
    TempFolder::WriteFile(folder.File("LocalSettings.Ini"), ini);
    folder.CopyFromBuild("contmenu.dll");
    folder.CopyFromBuild("VelmoraTarvello.exe");
    HMODULE library = LoadLibraryA(folder.File("contmenu.dll").c_str());
    ASSERT_NE(library, nullptr);
    using Entry = HRESULT(__stdcall*)();
    const auto entry = [&](const char* name) {
        return reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    };
    ASSERT_EQ(entry("DllRegisterServer")(), S_OK);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CLSID clsid{};
    CLSIDFromString(L"{F0F426D5-5761-43C8-A7DF-6602CC36D501}", &clsid);
    IContextMenu* extension = nullptr;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IContextMenu,
                               reinterpret_cast<void**>(&extension)),
              S_OK);
    HMENU menu = CreatePopupMenu();
    EXPECT_EQ(HRESULT_CODE(extension->QueryContextMenu(menu, 0, 1, 100, CMF_NORMAL)), 2);
    char text[64] = {};
    GetMenuStringA(GetSubMenu(menu, 0), 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Office Net");
    DestroyMenu(menu);
    CMINVOKECOMMANDINFO invoke{};
    invoke.cbSize = sizeof invoke;
    invoke.lpVerb = "VelmoraTarvello.Apply:Office Net";
    invoke.nShow = SW_SHOWNORMAL;
    EXPECT_EQ(extension->InvokeCommand(&invoke), S_OK);
    HANDLE program = nullptr;
    EXPECT_TRUE(ProgramRun::WaitUntil(
        [&] {
            if (!program) program = OpenRunningProgram();
            return FirstCardAddresses() == ConfiguredAddresses();
        },
        20000));
    if (program) {
        WaitForSingleObject(program, 20000);
        CloseHandle(program);
    }
    ExpectFirstCardWritten();  // as apply mode writes them

    DeleteFileA(folder.File("VelmoraTarvello.exe").c_str());
    {
        vt::testing::BoxWatcher boxes(GetCurrentProcessId(), IDOK);
        invoke.lpVerb = MAKEINTRESOURCEA(0);  // by offset
        EXPECT_NE(extension->InvokeCommand(&invoke), S_OK);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, "Velmora Tarvello cannot be started: " +
                                             folder.File("VelmoraTarvello.exe") + " is missing.");
        EXPECT_EQ(boxes.Boxes()[0].icon, "error");
    }
    extension->Release();
    EXPECT_EQ(entry("DllUnregisterServer")(), S_OK);
    CoUninitialize();
    FreeLibrary(library);
}

// Asked to keep: the first card as it was before, of other types and partly missing; every value
// the apply writes, read back.
class KeepOrRestoreE2E : public ApplyModeE2E {
  protected:
    void SetUp() override {
        ApplyModeE2E::SetUp();
        std::string ini = ChangeOnlyTheFirstCard();
        ini.insert(ini.find("Filters="), "ConfirmApply=1\r\nConfirmSeconds=5\r\n");
        TempFolder::WriteFile(folder.File("LocalSettings.Ini"), ini);
        vt::testing::SetValue(AdapterKey(0), "EnableDHCP", REG_DWORD, Bytes("\1\0\0\0", 4));
        vt::testing::SetValue(InterfaceKey(0), "EnableDHCP", REG_DWORD, Bytes("\1\0\0\0", 4));
        vt::testing::SetValue(InterfaceKey(0), "IPAddress", REG_SZ, Bytes("192.0.2.7\0", 10));
        vt::testing::SetValue(InterfaceKey(0), "NameServer", REG_MULTI_SZ,
                              Bytes("192.0.2.53\0\0", 12));
        before = Values();
    }
    static std::vector<Bytes> Values() {
        std::vector<Bytes> values;
        for (const std::string& key : {AdapterKey(0), InterfaceKey(0)})
            for (const char* name : {"EnableDHCP", "IPAddress", "SubnetMask", "DefaultGateway",
                                     "NameServer", "DHCPNameServer"}) {
                DWORD type = 0;
                values.push_back(RawValue(key, name, type) + " type " + std::to_string(type));
            }
        return values;
    }
    static std::string Text(HWND dialog, int id) {
        char text[256] = {};
        GetWindowTextA(GetDlgItem(dialog, id), text, sizeof text);
        return text;
    }
    std::vector<Bytes> before;
};

TEST_F(KeepOrRestoreE2E, UnansweredEveryValueComesBackAndTheProgramEndsWithThree) {
    ProgramRun run(folder.Path(), "\"Office Net\"");
    HWND dialog = run.WaitForWindow("#32770");
    ASSERT_NE(dialog, nullptr);
    char caption[128] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ(caption, "Keep - Office Net");
    EXPECT_EQ(Text(dialog, vt::win32::kIdKeepQuestion), "Keep the new settings of \"Office Net\"?");
    EXPECT_EQ(Text(dialog, vt::win32::kIdKeepCountdown).rfind("The previous settings come back in ", 0), 0u);
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &focus);
    EXPECT_EQ(focus.hwndFocus, GetDlgItem(dialog, vt::win32::kIdBtnRestoreNow));
    ExpectFirstCardWritten();  // while it asks
    EXPECT_EQ(run.WaitForExit(), 3);
    EXPECT_TRUE(run.Boxes().empty());
    EXPECT_EQ(Values(), before);
}

TEST_F(KeepOrRestoreE2E, KeepKeepsTheNewValuesAndTheProgramEndsWithZero) {
    ProgramRun run(folder.Path(), "\"Office Net\"");
    HWND dialog = run.WaitForWindow("#32770");
    ASSERT_NE(dialog, nullptr);
    SendMessageA(GetDlgItem(dialog, vt::win32::kIdBtnKeep), BM_CLICK, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0);
    ExpectFirstCardWritten();
}

// Nobody at the machine: a card that fails on the way holds up neither the question nor the
// restore; its failure is told after, when the cards are back.
TEST_F(KeepOrRestoreE2E, AFailingCardWithNobodyAnsweringComesBackAndIsToldAfter) {
    std::string ini = TempFolder::ReadFile(folder.File("LocalSettings.Ini"));
    ini.replace(ini.find("ToConfig=0\r\nToEnable=1"), 10, "ToConfig=1");  // the card whose device is gone
    TempFolder::WriteFile(folder.File("LocalSettings.Ini"), ini);
    ProgramRun run(folder.Path(), "\"Office Net\"", vt::testing::kNoAnswer);
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return Values() == before; }, 30000));
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return run.Boxes().size() == 1; }));
    EXPECT_EQ(run.Boxes()[0].text, "\rApply Failed: Seeded adapter 9103 does not exist.   \r\r");
    EXPECT_EQ(Value(AdapterKey(2), "EnableDHCP", REG_DWORD), "<missing>");  // it had none
    run.Kill();
}

// Killed while it asks (the Task Manager, a crash, the end of the session): the new values stay,
// and so does the checkpoint; the next start, the tray start at logon, brings the old values back
// once their time has passed, and says so.
TEST_F(KeepOrRestoreE2E, KilledWhileItAsksTheNextStartBringsTheOldValuesBack) {
    const std::string checkpoint = folder.File("KeepOrRestore.Ini");
    {
        ProgramRun run(folder.Path(), "\"Office Net\"");
        ASSERT_NE(run.WaitForWindow("#32770"), nullptr);
        ASSERT_TRUE(ProgramRun::WaitUntil([&] { return TempFolder::ReadFile(checkpoint) != "<missing>"; }));
        run.Kill();
    }
    ExpectFirstCardWritten();
    // Its time passed: the file as the system's own functions read and write it.
    char configuration[64] = {};
    GetPrivateProfileStringA("Checkpoint", "Configuration", "", configuration, sizeof configuration,
                             checkpoint.c_str());
    EXPECT_STREQ(configuration, "Office Net");
    ASSERT_TRUE(WritePrivateProfileStringA("Checkpoint", "KeepBy", "1", checkpoint.c_str()));
    ProgramRun tray(folder.Path(), "{1193B663-4421-44C4-9523-35DC33C01133}");
    ASSERT_TRUE(ProgramRun::WaitUntil([&] { return !tray.Boxes().empty(); }));
    EXPECT_EQ(tray.Boxes()[0].text, "\rThe new settings of \"Office Net\" were not kept in time: "
                                    "the previous settings were restored.   \r\r");
    EXPECT_EQ(Values(), before);
    EXPECT_EQ(TempFolder::ReadFile(checkpoint), "<missing>");
    HWND hidden = nullptr;
    ASSERT_TRUE(ProgramRun::WaitUntil(
        [&] { return (hidden = FindWindowA("TfrmMain", "Velmora Tarvello 1.50")) != nullptr; }));
    EXPECT_EQ(tray.CloseAndWait(hidden), 0);
}

// A second copy (a shortcut, a script, the Explorer menu) while the first asks: refused with the
// configuration that waits, nothing written; the first's answer is what stands.
TEST_F(KeepOrRestoreE2E, ASecondCopyIsRefusedWhileTheFirstAsks) {
    std::string ini = TempFolder::ReadFile(folder.File("LocalSettings.Ini"));
    const std::string home = "{E2E00000-0000-4000-8000-0000000000C2}";
    ini.replace(ini.find("[FriendlyName]\r\n"), 16,
                "[FriendlyName]\r\nHome Net=" + home + "\r\n");
    ini += "\r\n[" + home + kIds[0] + "]\r\nToConfig=1\r\nToEnable=0\r\nAutoDHCP=1\r\nAutoDNS=1\r\n";
    TempFolder::WriteFile(folder.File("LocalSettings.Ini"), ini);
    ProgramRun first(folder.Path(), "\"Office Net\"");
    HWND dialog = first.WaitForWindow("#32770");
    ASSERT_NE(dialog, nullptr);
    {
        ProgramRun second(folder.Path(), "\"Home Net\"");
        EXPECT_EQ(second.WaitForExit(), 2);
        ASSERT_EQ(second.Boxes().size(), 1u);
        EXPECT_EQ(second.Boxes()[0].caption, "Apply Failed: Home Net");  // its words: native
    }
    ExpectFirstCardWritten();  // Office Net's, untouched by the second
    SendMessageA(GetDlgItem(dialog, vt::win32::kIdBtnKeep), BM_CLICK, 0, 0);
    EXPECT_EQ(first.WaitForExit(), 0);
    ExpectFirstCardWritten();
}

}  // namespace
}  // namespace vt::e2e
