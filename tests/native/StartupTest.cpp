// Start-up: the version table, the command line's modes, message framing, and the start sequence on
// fakes.
#include <gtest/gtest.h>

#include "core/CommandLine.h"
#include "base/Error.h"
#include "core/MessageBox.h"
#include "core/OSVersion.h"
#include "tests/fakes/FakeMainWindow.h"
#include "tests/fakes/FakePlatform.h"
#include "net/AdapterInventory.h"
#include "ui/MainWindow.h"

namespace vt {
namespace {

OsVersionInfo V(uint32_t platform, uint32_t major, uint32_t minor, std::string sp = "") {
    return OsVersionInfo{true, platform, major, minor, std::move(sp)};
}

TEST(OSVersionClassTest, EveryRowOfTheTable) {
    EXPECT_EQ(OSVersionClass(OsVersionInfo{}), 0);  // the query failed
    EXPECT_EQ(OSVersionClass(V(kPlatformWin9x, 4, 0)), 1);
    EXPECT_EQ(OSVersionClass(V(kPlatformWin9x, 4, 10, " ")), 2);
    EXPECT_EQ(OSVersionClass(V(kPlatformWin9x, 4, 10, "")), 2);
    EXPECT_EQ(OSVersionClass(V(kPlatformWin9x, 4, 10, "A ")),
              2);  // "A" must be the second character
    EXPECT_EQ(OSVersionClass(V(kPlatformWin9x, 4, 10, " A ")), 3);
    EXPECT_EQ(OSVersionClass(V(kPlatformWin9x, 4, 10, " a ")), 2);
    EXPECT_EQ(OSVersionClass(V(kPlatformWin9x, 4, 90)), 4);
    EXPECT_EQ(OSVersionClass(V(kPlatformWin9x, 4, 20)), 0);
    EXPECT_EQ(OSVersionClass(V(kPlatformWin9x, 5, 0)), 0);
    EXPECT_EQ(OSVersionClass(V(kPlatformNT, 3, 51)), 5);
    EXPECT_EQ(OSVersionClass(V(kPlatformNT, 4, 0, "Service Pack 6")), 5);
    EXPECT_EQ(OSVersionClass(V(kPlatformNT, 5, 0)), 6);
    EXPECT_EQ(OSVersionClass(V(kPlatformNT, 5, 1)), 7);
    EXPECT_EQ(OSVersionClass(V(kPlatformNT, 5, 2)), 8);
    EXPECT_EQ(OSVersionClass(V(kPlatformNT, 5, 3)), 0);
    EXPECT_EQ(OSVersionClass(V(kPlatformNT, 6, 0)), 9);
    EXPECT_EQ(OSVersionClass(V(kPlatformNT, 6, 1)), 0);  // Windows 7
    EXPECT_EQ(OSVersionClass(V(kPlatformNT, 6, 2)), 0);
    EXPECT_EQ(OSVersionClass(V(kPlatformNT, 10, 0)), 0);
    EXPECT_EQ(OSVersionClass(V(0, 5, 1)), 0);  // Win32s
    EXPECT_EQ(OSVersionClass(V(3, 5, 1)), 0);  // CE
}

TEST(OSVersionClassTest, GateAcceptsOnlySixToNine) {
    for (int code = 0; code <= 10; ++code)
        EXPECT_EQ(PassesVersionGate(code), code >= 6 && code <= 9) << code;
}

TEST(CommandLineTest, SplitsLikeTheToolkitsParameterParser) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\VT\\vt.exe\""), V{});
    EXPECT_EQ(SplitCommandLine("vt.exe Office"), V{"Office"});
    EXPECT_EQ(SplitCommandLine("vt.exe \"Home Office\" second"), (V{"Home Office", "second"}));
    EXPECT_EQ(SplitCommandLine("vt.exe Home Office"), (V{"Home", "Office"}));
    EXPECT_EQ(SplitCommandLine("vt.exe  \t Ho\"me Of\"fice  "), V{"Home Office"});
    EXPECT_EQ(SplitCommandLine("vt.exe \"\""), V{""});
    EXPECT_EQ(SplitCommandLine("vt.exe C:\\a\\\"b"), V{"C:\\a\\b"});  // no backslash escapes
}

TEST(CommandLineTest, OnlyTheFirstArgumentDecides) {
    EXPECT_EQ(DecideStartMode({}).mode, StartMode::Window);
    EXPECT_EQ(DecideStartMode({kTrayStartArgument}).mode, StartMode::Tray);
    EXPECT_EQ(DecideStartMode({kTrayStartArgument, "Office"}).mode, StartMode::Tray);
    const StartRequest lower = DecideStartMode({"{1193b663-4421-44c4-9523-35dc33c01133}"});
    EXPECT_EQ(lower.mode, StartMode::Apply);
    EXPECT_EQ(lower.configName, "{1193b663-4421-44c4-9523-35dc33c01133}");
    const StartRequest apply = DecideStartMode({"Office", kTrayStartArgument});
    EXPECT_EQ(apply.mode, StartMode::Apply);
    EXPECT_EQ(apply.configName, "Office");
    EXPECT_EQ(DecideStartMode({""}).mode, StartMode::Apply);  // an empty quoted argument is a name
}

TEST(MessageBoxTest, BodyIsFramedAndEverythingElsePassedOn) {
    fakes::FakePrompts prompts;
    prompts.answers = {kIdNo};
    EXPECT_EQ(ShowMessageBox(prompts, 77, "Save changes?", "Save - Office",
                             kMbYesNoCancel | kMbIconQuestion),
              kIdNo);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].owner, 77u);
    EXPECT_EQ(prompts.shown[0].text, "\rSave changes?   \r\r");
    EXPECT_EQ(prompts.shown[0].caption, "Save - Office");
    EXPECT_EQ(prompts.shown[0].flags, 0x23u);
}

TEST(SettingsPathTest, BesideTheExecutable) {
    EXPECT_EQ(SettingsPathFor("C:\\Program Files\\VT\\VelmoraTarvello.exe"),
              "C:\\Program Files\\VT\\LocalSettings.Ini");
    EXPECT_EQ(SettingsPathFor("Z:/tmp/x/vt.exe"), "Z:/tmp/x/LocalSettings.Ini");
}

class FormCreateTest : public ::testing::Test, protected fakes::FakePlatform {
  protected:
    fakes::FakeMainWindow view;
    fakes::FormOnFakes form{platform, view, system.commandLine};
    const std::string settingsPath = "C:\\Tools\\LocalSettings.Ini";
    static constexpr char kRefusedConfigKey[] = "{C0FF1000-0000-4000-8000-000000000001}";
    static constexpr char kRefusedCard[] = "{CA4D0000-0000-4000-8000-000000000001}";
    // One ethernet card, "LAN", whose registry refuses the apply's first write.
    void SeedCardWhoseFirstWriteIsRefused() {
        const std::string classKey = std::string(kAdapterClassKey) + "\\0000";
        registry.store.SeedString(classKey, "NetCfgInstanceId", kRefusedCard);
        registry.store.SeedString(classKey + "\\Ndi\\Interfaces", "LowerRange", "ethernet");
        registry.store.SeedString(ConnectionKeyPath(kRefusedCard), "Name", "LAN");
        registry.store.refusedValues = {"ENABLEDHCP"};
    }
};

TEST_F(FormCreateTest, RefusedVersionShowsTheGateMessageAndTouchesNothing) {
    for (const OsVersionInfo& refused : {V(kPlatformNT, 4, 0), V(kPlatformWin9x, 4, 10),
                                         V(kPlatformWin9x, 4, 90), OsVersionInfo{}}) {
        fakes::FakePrompts localPrompts;
        fakes::FakeMainWindow localView;
        system.version = refused;
        Platform p{files, localPrompts, registry, system, devices, ipHelper, shell};
        TfrmMain f(p, localView.Views(), fakes::RequestFrom(system.commandLine));
        f.FormCreate();
        ASSERT_EQ(localPrompts.shown.size(), 1u);
        EXPECT_EQ(localPrompts.shown[0].text,
                  "\rSorry, this product can only be ran on Windows 2000, XP, 2003 or higher, "
                  "Vista or Home Server 32b. The running is aborted.   \r\r");
        EXPECT_EQ(localPrompts.shown[0].caption, "Information");
        EXPECT_EQ(localPrompts.shown[0].flags, kMbIconInformation);
        EXPECT_EQ(localPrompts.shown[0].owner, localView.Handle());
        EXPECT_FALSE(f.ShowMainWindow());
        EXPECT_TRUE(localView.terminated);
        EXPECT_FALSE(files.Exists(settingsPath));
    }
}

TEST_F(FormCreateTest, RefusedVersionInApplyModeIsNotASuccessForScripts) {
    system.version = V(kPlatformNT, 6, 1);
    system.commandLine = "vt.exe Office";
    form->FormCreate();
    EXPECT_EQ(form->ExitCode(), kExitApplyFailed);
    EXPECT_FALSE(files.Exists(settingsPath));
    system.commandLine = "vt.exe";
    fakes::FakeMainWindow otherView;
    TfrmMain windowMode(platform, otherView.Views(), fakes::RequestFrom(system.commandLine));
    windowMode.FormCreate();
    EXPECT_EQ(windowMode.ExitCode(), 0);
}

// A scheduled task or a service: nobody would ever answer the question. Apply mode ends as No
// ends, with nothing written and a code of its own; once allowed, it applies without asking.
TEST_F(FormCreateTest, NewerWindowsInApplyModeWhereNobodySeesAWindowDoesNotAsk) {
    system.version = V(kPlatformNT, 10, 0);
    system.windowsSeen = false;
    system.commandLine = "vt.exe Office";
    form->FormCreate();
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(form->ExitCode(), kExitNobodyToAsk);
    EXPECT_TRUE(view.terminated);
    EXPECT_FALSE(files.Exists(settingsPath));

    files.Put(settingsPath, "[Options]\r\nRunOnNewerWindows=1\r\n");
    fakes::FakeMainWindow allowedView;
    TfrmMain allowed(platform, allowedView.Views(), fakes::RequestFrom(system.commandLine));
    allowed.FormCreate();
    EXPECT_EQ(allowed.ExitCode(), kExitNoSuchConfiguration);  // looked for: the gate let it pass
    for (const auto& box : prompts.shown) EXPECT_EQ(box.text.find("newer"), std::string::npos);
}

TEST_F(FormCreateTest, AcceptedVersionsStart) {
    for (const OsVersionInfo& accepted :
         {V(kPlatformNT, 5, 0), V(kPlatformNT, 5, 1), V(kPlatformNT, 5, 2), V(kPlatformNT, 6, 0)}) {
        fakes::FakeMainWindow localView;
        system.version = accepted;
        TfrmMain f(platform, localView.Views(), fakes::RequestFrom(system.commandLine));
        f.FormCreate();
        EXPECT_TRUE(f.ShowMainWindow());
        EXPECT_FALSE(localView.terminated);
    }
    EXPECT_TRUE(prompts.shown.empty());
}

// Windows 7 and later: the first start asks instead of refusing. Yes is remembered (a write that
// is refused lets this start go on and asks again next time); No ends as the refusal does, with
// nothing written.
TEST_F(FormCreateTest, NewerWindowsAsksOnceAndRemembersYes) {
    const std::string question =
        "\rThis program was made for Windows 2000, XP, 2003 and Vista. Run it on this newer "
        "Windows from now on?   \r\r";
    for (const OsVersionInfo& newer : {V(kPlatformNT, 6, 1), V(kPlatformNT, 10, 0)}) {
        system.version = newer;
        struct Case {
            const char* text;
            int answer;
            bool refuseWrite;
        };
        for (const Case& c :
             {Case{"", kIdNo, false}, Case{"[Options]\r\nRunOnNewerWindows=0\r\n", kIdNo, false},
              Case{"[Options]\r\nRunOnNewerWindows=yes\r\n", kIdYes, true},
              Case{"[Other]\r\nRunOnNewerWindows=1\r\n", kIdYes, false}}) {
            fakes::FakePrompts localPrompts;
            fakes::FakeMainWindow localView;
            files.Put(settingsPath, c.text);
            files.replaces = 0;
            files.refuseReplace = c.refuseWrite;
            localPrompts.answers = {c.answer};
            Platform p{files, localPrompts, registry, system, devices, ipHelper, shell};
            TfrmMain f(p, localView.Views(), fakes::RequestFrom(system.commandLine));
            f.FormCreate();
            ASSERT_EQ(localPrompts.shown.size(), 1u) << c.text;
            EXPECT_EQ(localPrompts.shown[0].text, question);
            EXPECT_EQ(localPrompts.shown[0].caption, "Velmora Tarvello");
            EXPECT_EQ(localPrompts.shown[0].flags, kMbYesNo | kMbIconQuestion);
            EXPECT_EQ(f.ShowMainWindow(), c.answer == kIdYes) << c.text;
            EXPECT_EQ(f.Applying.OffersElevation(), c.answer == kIdYes);
            if (c.answer == kIdNo || c.refuseWrite) {
                EXPECT_EQ(files.Content(settingsPath), c.text);
                EXPECT_EQ(files.replaces, 0);
            } else {
                EXPECT_EQ(f.Session.Settings().ReadString("Options", "RunOnNewerWindows", ""), "1");
            }
        }
        files.refuseReplace = false;
        // Remembered: no question.
        fakes::FakeMainWindow localView;
        files.Put(settingsPath, "[Options]\r\nRunOnNewerWindows=1\r\n");
        TfrmMain let(platform, localView.Views(), fakes::RequestFrom(system.commandLine));
        let.FormCreate();
        EXPECT_TRUE(let.ShowMainWindow());
        EXPECT_TRUE(prompts.shown.empty());
        // A file that cannot be read tells its own error, not the question.
        fakes::FakeMainWindow heldView;
        files.unreadableReads = 1;
        TfrmMain held(platform, heldView.Views(), fakes::RequestFrom(system.commandLine));
        EXPECT_THROW(held.FormCreate(), SettingsUnreadable);
        EXPECT_FALSE(held.ShowMainWindow());
        EXPECT_TRUE(prompts.shown.empty());
    }
    // Apply mode asks the same way, before it applies: No ends with the refusal's code.
    system.commandLine = "vt.exe Office";
    prompts.answers = {kIdNo};
    files.Put(settingsPath, "");
    form->FormCreate();
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(form->ExitCode(), kExitApplyFailed);
    // The key asks for nothing on the Windows the gate accepts anyway.
    system.version = V(kPlatformNT, 5, 1);
    system.commandLine = "vt.exe";
    fakes::FakeMainWindow xpView;
    TfrmMain xp(platform, xpView.Views(), fakes::RequestFrom(system.commandLine));
    xp.FormCreate();
    EXPECT_TRUE(xp.ShowMainWindow());
    EXPECT_FALSE(xp.Applying.OffersElevation());
    EXPECT_EQ(prompts.shown.size(), 1u);
}

TEST_F(FormCreateTest, EmptyFolderGetsOptionsWithAppPathOnly) {
    form->FormCreate();
    EXPECT_EQ(files.Content(settingsPath),
              "[Options]\r\nAppPath=C:\\Tools\\VelmoraTarvello.exe\r\n");
    EXPECT_EQ(view.applicationTitle, "Velmora Tarvello");
    EXPECT_EQ(view.caption, "Velmora Tarvello 1.50");
    EXPECT_EQ(view.configTitle, "  Configurations");
    EXPECT_TRUE(view.items.empty());
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_TRUE(form->ShowMainWindow());
}

TEST_F(FormCreateTest, AppPathIsRewrittenWithTheCurrentPath) {
    files.Put(settingsPath, "[Options]\r\nAppPath=D:\\old\\place.exe\r\nFilters={A},\r\n");
    form->FormCreate();
    EXPECT_EQ(files.Content(settingsPath),
              "[Options]\r\nAppPath=C:\\Tools\\VelmoraTarvello.exe\r\nFilters={A},\r\n");
}

TEST_F(FormCreateTest, TreeListsConfigurationsInFileOrderNoneSelected) {
    files.Put(settingsPath,
              "[Configurations]\r\n{K3}=Zulu\r\n{K1}=Alpha\r\n;{K9}=Commented\r\n{K2}=\r\n");
    form->FormCreate();
    ASSERT_EQ(view.items.size(), 3u);
    EXPECT_EQ(view.items[0].text, "Zulu");
    EXPECT_EQ(view.items[1].text, "Alpha");
    EXPECT_EQ(view.items[2].text, "");
    EXPECT_EQ(view.items[0].node->ConfigKey, "{K3}");
    EXPECT_EQ(view.items[2].node->ConfigKey, "{K2}");
    for (const auto& item : view.items) EXPECT_EQ(item.image, 0);
    EXPECT_FALSE(form->Editor.Modified());
    EXPECT_TRUE(form->Editor.AddressList().empty());
    EXPECT_EQ(view.selected, nullptr);
    EXPECT_EQ(view.editing, nullptr);
    EXPECT_TRUE(view.redraw);
    EXPECT_EQ(view.redrawOffCalls, 1);
    EXPECT_FALSE(form->State.Updating());
}

TEST_F(FormCreateTest, MoreThanFourHundredTwentyConfigurationsAllListed) {
    std::string text = "[Configurations]\r\n";
    for (int i = 0; i < 500; ++i) {
        char key[40];
        std::snprintf(key, sizeof key, "{%08X-0000-4000-8000-000000000000}", i);
        text += std::string(key) + "=Config " + std::to_string(i) + "\r\n";
    }
    files.Put(settingsPath, text);
    form->FormCreate();
    ASSERT_EQ(view.items.size(), 500u);
    EXPECT_EQ(view.items[499].text, "Config 499");
}


// Nothing reads AppPath: a file that refuses the write still starts the program, in apply mode
// too. One that cannot even be read stops the start there, with the write's error.
TEST_F(FormCreateTest, RefusedAppPathWriteIsSkippedButAnUnreadableFileStopsTheStart) {
    files.Put(settingsPath, "[Configurations]\r\n{K1}=Alpha\r\n");
    files.refuseReplace = true;
    form->FormCreate();
    EXPECT_EQ(view.items.size(), 1u);
    EXPECT_TRUE(prompts.shown.empty());

    // Held past the wait at start: no window on a file it did not read, in every mode.
    for (const char* commandLine : {"vt.exe", "vt.exe Alpha"}) {
        fakes::FakeMainWindow otherView;
        system.commandLine = commandLine;
        TfrmMain unreadable{platform, otherView.Views(), fakes::RequestFrom(system.commandLine)};
        files.unreadableReads = 1;
        try {
            unreadable.FormCreate();
            FAIL() << "the unread file did not stop the start";
        } catch (const SettingsUnreadable& e) {
            EXPECT_STREQ(e.what(), "Unable to read C:\\Tools\\LocalSettings.Ini");
        }
        EXPECT_TRUE(otherView.items.empty());
        EXPECT_FALSE(unreadable.ShowMainWindow());
        EXPECT_TRUE(unreadable.EndsAfterStart());
        EXPECT_EQ(unreadable.ExitCode(), kExitApplyFailed);
    }
}

class FormCreateCardsTest : public FormCreateTest {
  protected:
    void Adapter(const std::string& subkey, const std::string& id, const std::string& pnp) {
        const std::string classKey = std::string(kAdapterClassKey) + "\\" + subkey;
        registry.store.SeedString(classKey, "NetCfgInstanceId", id);
        registry.store.SeedString(classKey, "DriverDesc", "Registry " + subkey);
        registry.store.SeedString(classKey + "\\Ndi\\Interfaces", "LowerRange", "ethernet");
        registry.store.SeedString(ConnectionKeyPath(id), "PnpInstanceID", pnp);
    }
    std::vector<std::string> Ids() {
        std::vector<std::string> ids;
        for (const TACard& card : form->Session.Cards().List()) ids.push_back(card.CfgInstanceId);
        return ids;
    }
};

TEST_F(FormCreateCardsTest, AddedNodeWithSelectIsSelectedAndEditing) {
    Adapter("0000", "{A}", "PCI\\1");
    form->FormCreate();
    form->Tree.AddConfigNode("{K}", "New", false, 0);
    EXPECT_EQ(view.selected, nullptr);
    form->Tree.AddConfigNode("{L}", "Newer", true, 2);
    ASSERT_NE(view.selected, nullptr);
    EXPECT_EQ(view.selected->Text, "Newer");
    EXPECT_EQ(view.editing, view.selected);
    EXPECT_EQ(view.items.back().image, 2);
}

TEST_F(FormCreateCardsTest, FilterSelectsTheCardsAndDevicesNameThem) {
    Adapter("0000", "{A}", "PCI\\1");
    Adapter("0001", "{B}", "PCI\\2");
    files.Put(settingsPath, "[Options]\r\nFilters={b},\r\n");
    devices.devices = {{"pci\\2", "Net", "Friendly B"}};
    form->FormCreate();
    EXPECT_EQ(Ids(), std::vector<std::string>{"{B}"});
    EXPECT_EQ(form->Session.Cards().List()[0].DriverDesc, "Friendly B");

    // Apply mode asks no device for a name: it names only missing devices, which have none.
    devices.calls.clear();
    system.commandLine = "vt.exe Office";
    fakes::FakeMainWindow applyView;
    TfrmMain applying{platform, applyView.Views(), fakes::RequestFrom(system.commandLine)};
    applying.FormCreate();
    EXPECT_EQ(applying.Session.Cards().List()[0].DriverDesc, "Registry 0001");
    EXPECT_TRUE(devices.calls.empty());
}

TEST_F(FormCreateCardsTest, FilterNamingOnlyVanishedAdaptersFallsBackToTheDefaultRule) {
    Adapter("0000", "{A}", "PCI\\1");
    Adapter("0001", "{B}", "PCI\\2");
    files.Put(settingsPath, "[Options]\r\nFilters={GONE},\r\n");
    form->FormCreate();
    EXPECT_EQ(Ids(), (std::vector<std::string>{"{A}", "{B}"}));
    EXPECT_EQ(form->Session.Cards().List()[1].DriverDesc, "Registry 0001");
}

TEST_F(FormCreateCardsTest, RegistryErrorEndsTheSequenceBeforeTheTree) {
    Adapter("0000", "{A}", "PCI\\1");
    registry.store.SeedDword(ConnectionKeyPath("{A}"), "Name", 7);
    files.Put(settingsPath, "[Configurations]\r\n{K1}=Alpha\r\n");
    EXPECT_THROW(form->FormCreate(), Error);
    EXPECT_TRUE(view.items.empty());
    EXPECT_TRUE(form->ShowMainWindow());
}

TEST_F(FormCreateCardsTest, NoDeviceSetEndsTheSequenceWithItsError) {
    Adapter("0000", "{A}", "PCI\\1");
    devices.setFails = true;
    try {
        form->FormCreate();
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "INVALID_HANDLE_VALUE");
    }
}

// A script that asked for an apply never gets the main window and a success code instead.
TEST_F(FormCreateCardsTest, ApplyModeFailingBeforeTheApplyEndsWithCodeTwoAndNoWindow) {
    system.commandLine = "vt.exe Office";
    files.Put(settingsPath, "");
    files.unreadableReads = 1;  // held by another program
    EXPECT_THROW(form->FormCreate(), Error);
    EXPECT_TRUE(form->EndsAfterStart());
    EXPECT_FALSE(form->ShowMainWindow());
    EXPECT_EQ(form->ExitCode(), kExitApplyFailed);

    fakes::FakeMainWindow otherView;
    TfrmMain other{platform, otherView.Views(), fakes::RequestFrom(system.commandLine)};
    Adapter("0000", "{A}", "PCI\\1");
    registry.store.SeedDword(ConnectionKeyPath("{A}"), "Name", 7);  // a registry error
    EXPECT_THROW(other.FormCreate(), Error);
    EXPECT_FALSE(other.ShowMainWindow());
    EXPECT_EQ(other.ExitCode(), kExitApplyFailed);
}

TEST_F(FormCreateTest, ApplyModeOfAnUnknownNameSaysSoAndEndsWithCodeOne) {
    system.commandLine = "vt.exe \"Home Office\" ignored";
    form->FormCreate();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "\rConfiguration \"Home Office\" does not exist.   \r\r");
    EXPECT_EQ(prompts.shown[0].caption, "Apply Failed: Home Office");
    EXPECT_EQ(prompts.shown[0].flags, kMbOk);
    EXPECT_EQ(prompts.shown[0].owner, view.Handle());
    EXPECT_FALSE(form->ShowMainWindow());
    EXPECT_TRUE(view.terminated);
    EXPECT_TRUE(form->EndsAfterStart());
    EXPECT_EQ(form->ExitCode(), kExitNoSuchConfiguration);
    EXPECT_EQ(files.Content(settingsPath),
              "[Options]\r\nAppPath=C:\\Tools\\VelmoraTarvello.exe\r\n");
}

TEST_F(FormCreateTest, ApplyModeRegistryErrorEscapesForTheReportAndStillEndsWithCodeTwo) {
    const std::string key = kRefusedConfigKey, card = kRefusedCard;
    SeedCardWhoseFirstWriteIsRefused();
    files.Put(settingsPath,
              "[FriendlyName]\r\nOffice=" + key + "\r\n[" + key + card + "]\r\nToConfig=1\r\n");
    system.commandLine = "vt.exe Office";
    try {
        form->FormCreate();
        FAIL() << "the registry error did not escape";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'EnableDHCP'");
    }
    EXPECT_TRUE(form->EndsAfterStart());
    EXPECT_EQ(form->ExitCode(), kExitApplyFailed);
    EXPECT_FALSE(form->ShowMainWindow());
    EXPECT_EQ(form->Session.Marks().namedApplyRunning, false);
    EXPECT_EQ(form->Session.Marks().cardBeingWritten, false);
}

TEST_F(FormCreateTest, ApplyRefusedForRightsOnANewerWindowsOffersToRunItAsAdministrator) {
    const std::string key = kRefusedConfigKey, card = kRefusedCard;
    SeedCardWhoseFirstWriteIsRefused();
    registry.store.refusedForRights = true;
    const auto settingsFor = [&](const std::string& name) {
        return "[Options]\r\nRunOnNewerWindows=1\r\n[FriendlyName]\r\n" + name + "=" + key +
               "\r\n[" + key + card + "]\r\nToConfig=1\r\n";
    };
    system.version = V(kPlatformNT, 6, 1);
    system.commandLine = "vt.exe \"Home Office\"";
    using End = ElevatedRun::End;
    struct Case {
        int answer;
        ElevatedRun child;
        int exitCode;
        std::string said;  // after the question; "" for nothing
    };
    const uint32_t reported = kReportedExitCodes;
    for (const Case& c : {
             Case{kIdYes, {End::Exited, reported + 0}, kExitApplied, ""},
             Case{kIdYes, {End::Exited, reported + 1}, kExitNoSuchConfiguration, ""},
             Case{kIdYes, {End::Exited, reported + 2}, kExitApplyFailed, ""},
             Case{kIdYes, {End::Exited, reported + 3}, kExitRestored, ""},  // it asked, restored
             // Ended from the Task Manager, or crashed: no outcome of its own.
             Case{kIdYes, {End::Exited, 1}, kExitApplyFailed, "code 1 before"},
             Case{kIdYes, {End::Exited, 0xC0000005}, kExitApplyFailed, "code 0xC0000005 before"},
             Case{kIdYes, {End::Abandoned}, kExitApplyFailed, ""},
             Case{kIdYes, {End::NotStarted}, kExitApplyFailed, ""},
             Case{kIdNo, {}, kExitApplyFailed, ""}}) {
        fakes::FakePrompts localPrompts;
        fakes::FakeMainWindow localView;
        fakes::FakeShell localShell;
        localShell.elevatedRun = c.child;
        localPrompts.answers = {c.answer};
        files.Put(settingsPath, settingsFor("Home Office"));
        Platform p{files, localPrompts, registry, system, devices, ipHelper, localShell};
        TfrmMain f(p, localView.Views(), fakes::RequestFrom(system.commandLine));
        bool refusalReported = false;
        try {
            f.FormCreate();
        } catch (const AccessDenied& e) {  // reported as without the offer
            refusalReported = std::string(e.what()) == "Failed to set data for 'EnableDHCP'";
        }
        EXPECT_EQ(f.ExitCode(), c.exitCode);
        EXPECT_EQ(refusalReported, c.answer == kIdNo || c.child.end == End::NotStarted);
        ASSERT_EQ(localPrompts.shown.size(), c.said.empty() ? 1u : 2u);
        EXPECT_EQ(
            localPrompts.shown[0].text,
            "\rApplying needs administrator rights. Apply \"Home Office\" as administrator?   \r\r");
        EXPECT_EQ(localPrompts.shown[0].caption, "Velmora Tarvello");
        EXPECT_EQ(localPrompts.shown[0].flags, kMbYesNo | kMbIconQuestion);
        if (!c.said.empty())
            EXPECT_EQ(localPrompts.shown[1].text, "\rApplying \"Home Office\" as administrator "
                                                  "ended with " + c.said +
                                                      " it reported what it did.   \r\r");
        ASSERT_EQ(localShell.elevated.size(), c.answer == kIdYes ? 1u : 0u);
        if (c.answer == kIdYes) {
            EXPECT_EQ(localShell.elevated[0].file, "C:\\Tools\\VelmoraTarvello.exe");
            // The copy's own parser reads the name back as it is, and its request to report.
            const StartRequest child =
                DecideStartMode(SplitCommandLine("vt.exe " + localShell.elevated[0].parameters));
            EXPECT_EQ(child.configName, "Home Office");
            EXPECT_TRUE(child.reportsToCaller);
        }
        EXPECT_EQ(f.Session.Marks().namedApplyRunning, false);
    }
    // A copy with the rights already, and a name no command line passes as itself, are not
    // offered: the first is refused as before, the second says why.
    for (const std::string name : {"Home Office", "Lab\" \"Office", kTrayStartArgument}) {
        fakes::FakePrompts localPrompts;
        fakes::FakeMainWindow localView;
        fakes::FakeShell localShell;
        system.administrator = name == "Home Office";
        system.commandLine = "vt.exe";  // from the window: the tray menu, the Apply action
        files.Put(settingsPath, settingsFor(name));
        Platform p{files, localPrompts, registry, system, devices, ipHelper, localShell};
        TfrmMain f(p, localView.Views(), fakes::RequestFrom(system.commandLine));
        f.FormCreate();
        if (system.administrator) {
            EXPECT_THROW(f.Applying.ApplyConfiguration(name), AccessDenied);
            EXPECT_TRUE(localPrompts.shown.empty());
        } else {
            EXPECT_EQ(f.Applying.ApplyConfiguration(name), ApplyOutcome::CardFailed);
            ASSERT_EQ(localPrompts.shown.size(), 1u) << name;
            EXPECT_EQ(localPrompts.shown[0].caption, "Apply Failed: " + name);
            EXPECT_EQ(localPrompts.shown[0].flags, kMbIconError);
            EXPECT_NE(localPrompts.shown[0].text.find(name == kTrayStartArgument
                                                          ? "start in the tray"
                                                          : "holds a double quote"),
                      std::string::npos);
        }
        EXPECT_TRUE(localShell.elevated.empty()) << name;
    }
    system.administrator = false;
    // Without the opt-in, on the Windows the gate accepts, nothing is offered.
    fakes::FakeShell localShell;
    system.version = V(kPlatformNT, 5, 1);
    system.commandLine = "vt.exe \"Home Office\"";
    files.Put(settingsPath, settingsFor("Home Office"));
    Platform p{files, prompts, registry, system, devices, ipHelper, localShell};
    TfrmMain f(p, view.Views(), fakes::RequestFrom(system.commandLine));
    EXPECT_THROW(f.FormCreate(), AccessDenied);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_TRUE(localShell.elevated.empty());
}

TEST_F(FormCreateTest, ACopyAskedToReportGivesItsOutcomeInCodesOfItsOwn) {
    system.commandLine = std::string("vt.exe \"Lab\" ") + kReportToCallerArgument;
    form->FormCreate();
    EXPECT_EQ(form->ExitCode(), static_cast<int>(kReportedExitCodes) + kExitNoSuchConfiguration);
}

TEST_F(FormCreateTest, TrayArgumentInLowerCaseIsAName) {
    system.commandLine = "vt.exe {1193b663-4421-44c4-9523-35dc33c01133}";
    form->FormCreate();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].caption, "Apply Failed: {1193b663-4421-44c4-9523-35dc33c01133}");
    EXPECT_EQ(form->ExitCode(), kExitNoSuchConfiguration);
}

TEST_F(FormCreateTest, TrayArgumentIsNotAnApply) {
    system.commandLine = std::string("vt.exe \"") + kTrayStartArgument + "\"";
    form->FormCreate();
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(form->Request().mode, StartMode::Tray);
    EXPECT_FALSE(form->EndsAfterStart());
    EXPECT_FALSE(view.terminated);
}

}  // namespace
}  // namespace vt
