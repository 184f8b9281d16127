// Keep or restore on fakes: the countdown on a fake clock, the option and its default, and what the
// apply actions, apply mode and the editor's Apply do with the answer.
#include <gtest/gtest.h>

#include "core/Checkpoint.h"
#include "core/SettingsLayout.h"
#include "net/TcpipRegistry.h"
#include "tests/fakes/MainWindowFixture.h"

namespace vt {
namespace {

class KeepOrRestoreTest : public fakes::MainWindowFixture {
  protected:
    // The LAN card's device runs; Office changes that card only.
    void SeedLanDevice() {
        registry.store.SeedString(ConnectionKeyPath("{CA}"), "PnpInstanceID", "PCI\\LAN");
        devices.devices.push_back({"PCI\\LAN", "Net", "", kDnStarted});
    }
    void StartWith(const std::string& options) {
        SeedLanDevice();
        registry.store.SeedDword(AdapterKeyPath("{CA}"), "EnableDHCP", 1);
        registry.store.SeedDword(InterfaceKeyPath("{CA}"), "EnableDHCP", 1);
        Start("[Options]\r\n" + options + fakes::TwoConfigurations());
        before = registry.store.Keys();
    }
    bool AsBefore() { return registry.store.Keys() == before; }
    std::map<std::string, fakes::FakeRegistryStore::Key> before;
    fakes::FakeKeepHost& keep = view.keep;
};

TEST_F(KeepOrRestoreTest, UnansweredTheCountdownRunsOutAndEverythingComesBack) {
    StartWith("ConfirmApply=1\r\nConfirmSeconds=3\r\n");  // below 5: 5
    bool markedMeanwhile = false;
    ApplyOutcome second = ApplyOutcome::Applied;
    keep.answer = [&](TfrmKeep&) {
        markedMeanwhile = form->Session.Marks().namedApplyRunning;
        second = form->Applying.ApplyConfiguration("Office");  // from the tray meanwhile
    };
    EXPECT_EQ(form->Applying.ApplyConfiguration("Office"), ApplyOutcome::Restored);
    EXPECT_EQ(keep.caption, "Keep - Office");
    EXPECT_EQ(keep.question, "Keep the new settings of \"Office\"?");
    EXPECT_EQ(keep.lines,
              (std::vector<std::string>{"The previous settings come back in 5 seconds.",
                                        "The previous settings come back in 4 seconds.",
                                        "The previous settings come back in 3 seconds.",
                                        "The previous settings come back in 2 seconds.",
                                        "The previous settings come back in 1 second."}));
    EXPECT_EQ(system.now, 5000u);  // closed at the fifth second, not before
    EXPECT_TRUE(markedMeanwhile);
    EXPECT_EQ(second, ApplyOutcome::Ignored);
    EXPECT_FALSE(form->Session.Marks().namedApplyRunning);
    EXPECT_TRUE(AsBefore());
    // Restarted with the old values: the apply's disable and enable, then the restore's.
    EXPECT_EQ(devices.InstallerCalls(), 4);
}

// A card that fails on the way holds up nothing: the question comes as soon as the last card is
// done, and the failure is told once the user has answered, or nobody has and the cards are back.
TEST_F(KeepOrRestoreTest, AFailingCardHoldsUpNeitherTheQuestionNorTheRestore) {
    SeedLanDevice();  // WLAN's device is gone
    for (const char* card : {"{CA}", "{CB}"})
        for (const std::string& key : {AdapterKeyPath(card), InterfaceKeyPath(card)})
            registry.store.SeedDword(key, "EnableDHCP", 1);
    std::string ini = "[Options]\r\nConfirmApply=1\r\n" + fakes::TwoConfigurations();
    ini.replace(ini.find("[{K1}{CB}]\r\nToConfig=0"), 21, "[{K1}{CB}]\r\nToConfig=1");
    Start(ini);
    before = registry.store.Keys();
    size_t shownWhileAsking = 99;
    keep.answer = [&](TfrmKeep&) { shownWhileAsking = prompts.shown.size(); };
    EXPECT_EQ(form->Applying.ApplyConfiguration("Office"), ApplyOutcome::CardFailed);
    EXPECT_EQ(shownWhileAsking, 0u);
    EXPECT_TRUE(AsBefore());  // WLAN's values too
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].caption, "WLAN");
    EXPECT_EQ(prompts.shown[0].text.rfind("\rApply Failed: ", 0), 0u) << prompts.shown[0].text;
}

// Everything the apply reads is read before its first write: a settings file held from then on
// (another program, a slow share) skips neither the question nor the restore.
TEST_F(KeepOrRestoreTest, ASettingsFileHeldOnceTheCardsAreWrittenStopsNothing) {
    StartWith("ConfirmApply=1\r\n");
    prompts.onPump = [&] {  // changed and then held: any read from now on fails
        files.Put(kPath, Ini() + "\r\n");
        files.unreadableReads = 1000;
    };
    EXPECT_EQ(form->Applying.ApplyConfiguration("Office"), ApplyOutcome::Restored);
    EXPECT_EQ(keep.runs, 1);
    EXPECT_TRUE(AsBefore());
    files.unreadableReads = 0;
}

TEST_F(KeepOrRestoreTest, KeepLeavesTheNewSettingsAndAnotherApplyAsksAgain) {
    StartWith("ConfirmApply=1\r\nConfirmSeconds=900\r\n");  // above 600: 600
    keep.answer = [](TfrmKeep& dialog) { dialog.btnKeepClick(); };
    EXPECT_EQ(form->Applying.ApplyConfiguration("Office"), ApplyOutcome::Applied);
    EXPECT_EQ(keep.lines,
              std::vector<std::string>{"The previous settings come back in 600 seconds."});
    EXPECT_FALSE(AsBefore());
    EXPECT_EQ(registry.store.Get(InterfaceKeyPath("{CA}"), "IPAddress")->data,
              std::string("10.0.0.2\0"
                          "10.0.0.3\0",
                          18));
    keep.answer = [](TfrmKeep& dialog) { dialog.btnRestoreClick(); };  // Enter, Escape, close
    EXPECT_EQ(form->Applying.ApplyConfiguration("Office"), ApplyOutcome::Restored);
    EXPECT_EQ(keep.runs, 2);
    EXPECT_EQ(system.now, 0u);  // at once
}

TEST_F(KeepOrRestoreTest, TheOptionDecidesAndIsOnByDefaultOnlyInARemoteSession) {
    struct Case {
        const char* options;
        bool remote;
        bool asks;
    };
    SeedCard("0000", "{CA}", "LAN");
    for (const Case& c :
         {Case{"", false, false}, Case{"", true, true}, Case{"ConfirmApply=0\r\n", true, false},
          Case{"ConfirmApply=1\r\n", false, true}}) {
        SCOPED_TRACE(std::string(c.options) + (c.remote ? " remote" : ""));
        fakes::FakeMainWindow localView;
        localView.keep.clock = &system;
        system.remoteSession = c.remote;
        files.Put(kPath, std::string("[Options]\r\n") + c.options + fakes::TwoConfigurations());
        TfrmMain local(platform, localView.Views(), fakes::RequestFrom("vt.exe"));
        local.FormCreate();
        local.Applying.ApplyConfiguration("Office");
        EXPECT_EQ(localView.keep.runs, c.asks ? 1 : 0);
    }
}

TEST_F(KeepOrRestoreTest, NothingWrittenAsksNothing) {
    StartWith("ConfirmApply=1\r\n");
    EXPECT_EQ(form->Applying.ApplyConfiguration("Home"), ApplyOutcome::Applied);
    EXPECT_EQ(keep.runs, 0);
}

TEST_F(KeepOrRestoreTest, ApplyModeEndsWithThreeWhenRestoredAndZeroWhenKept) {
    SeedCard("0000", "{CA}", "LAN");
    SeedLanDevice();
    for (const bool kept : {false, true}) {
        SCOPED_TRACE(kept ? "kept" : "restored");
        fakes::FakeMainWindow localView;
        localView.keep.clock = &system;
        if (kept) localView.keep.answer = [](TfrmKeep& dialog) { dialog.btnKeepClick(); };
        files.Put(kPath, "[Options]\r\nConfirmApply=1\r\n" + fakes::TwoConfigurations());
        TfrmMain local(platform, localView.Views(), fakes::RequestFrom("vt.exe Office"));
        local.FormCreate();
        EXPECT_EQ(localView.keep.runs, 1);
        EXPECT_EQ(local.ExitCode(), kept ? kExitApplied : kExitRestored);
        EXPECT_TRUE(localView.terminated);
    }
}

TEST_F(KeepOrRestoreTest, TheEditorsApplyAsksForItsCard) {
    StartWith("ConfirmApply=1\r\n");
    view.UserSelects(Node("Office"));
    view.UserTypes(EditorControl::edtGateway, "10.0.0.254");
    form->Editor.btnApplyClick();
    EXPECT_EQ(keep.caption, "Keep - Office");
    EXPECT_TRUE(AsBefore());
    EXPECT_EQ(Read("{K1}{CA}", "Gateway0"), "10.0.0.254");  // the record stays saved
}

// The checkpoint stands on disk from before the first write, with what the cards held, until the
// user has answered: gone after Keep, gone after the restore.
TEST_F(KeepOrRestoreTest, TheCheckpointStandsFromBeforeTheFirstWriteUntilTheAnswer) {
    StartWith("ConfirmApply=1\r\nConfirmSeconds=20\r\n");
    const std::string path = "C:\\Tools\\KeepOrRestore.Ini";
    std::optional<Checkpoint> first, asked;
    registry.store.onWrite = [&] {
        if (!first) first = ReadCheckpoint(files, path);
    };
    for (const bool kept : {false, true}) {
        first.reset();
        keep.answer = [&](TfrmKeep& dialog) {
            asked = ReadCheckpoint(files, path);
            if (kept) dialog.btnKeepClick();
        };
        form->Applying.ApplyConfiguration("Office");
        ASSERT_TRUE(first && asked);
        EXPECT_EQ(first->configuration, "Office");
        ASSERT_EQ(asked->cards.size(), 1u);
        EXPECT_EQ(asked->cards[0].card.ConnectionName, "LAN");
        EXPECT_EQ(asked->cards[0].wasEnabled, true);
        EXPECT_EQ(asked->keepBy, system.wallSeconds + 20);
        EXPECT_FALSE(files.Exists(path));
        EXPECT_EQ(AsBefore(), !kept);
    }
    // No safety net, no apply: a checkpoint that cannot be written stops it before any write.
    registry.store.SeedDword(InterfaceKeyPath("{CA}"), "EnableDHCP", 1);
    const auto now = registry.store.Keys();
    files.refuseReplace = true;
    try {
        form->Applying.ApplyConfiguration("Office");
        ADD_FAILURE() << "applied without its checkpoint";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
    EXPECT_EQ(registry.store.Keys(), now);
}

// A copy killed while it asks leaves the checkpoint and the new settings: the next start (the
// tray start at logon) restores them once the time has passed, and asks again for the time left
// before.
TEST_F(KeepOrRestoreTest, TheNextStartMakesGoodACopyThatEndedWhileItAsked) {
    StartWith("ConfirmApply=1\r\nConfirmSeconds=60\r\n");
    struct Killed {};
    keep.answer = [](TfrmKeep&) { throw Killed{}; };
    EXPECT_THROW(form->Applying.ApplyConfiguration("Office"), Killed);
    const std::string path = "C:\\Tools\\KeepOrRestore.Ini";
    ASSERT_TRUE(files.Exists(path));
    const std::string left = files.Content(path);
    const auto applied = registry.store.Keys();
    ASSERT_FALSE(AsBefore());

    // 20 seconds later: asked again for the 40 left, and kept.
    system.wallSeconds += 20;
    fakes::FakeMainWindow again;
    again.keep.clock = &system;
    again.keep.answer = [](TfrmKeep& dialog) { dialog.btnKeepClick(); };
    TfrmMain early(platform, again.Views(),
                   fakes::RequestFrom("vt.exe {1193B663-4421-44C4-9523-35DC33C01133}"));
    early.FormCreate();
    EXPECT_EQ(again.keep.lines.front(), "The previous settings come back in 40 seconds.");
    EXPECT_EQ(registry.store.Keys(), applied);
    EXPECT_FALSE(files.Exists(path));

    // Past its time: restored without a question, and told.
    files.Put(path, left);
    system.wallSeconds += 60;
    prompts.shown.clear();
    fakes::FakeMainWindow late;
    TfrmMain after(platform, late.Views(), fakes::RequestFrom("vt.exe"));
    after.FormCreate();
    EXPECT_EQ(late.keep.runs, 0);
    EXPECT_TRUE(AsBefore());
    EXPECT_FALSE(files.Exists(path));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "\rThe new settings of \"Office\" were not kept in time: the "
              "previous settings were restored.   \r\r");
    EXPECT_EQ(prompts.shown[0].flags, kMbIconInformation);
}

// A checkpoint that cannot be read is kept aside, never deleted, and reported; nothing is restored.
TEST_F(KeepOrRestoreTest, AnUnreadableCheckpointIsSetAsideAndReported) {
    const std::string path = "C:\\Tools\\KeepOrRestore.Ini";
    files.Put(path, "[Checkpoint]\r\nConfiguration=\"Office\"\r\nKeepBy=soon\r\n");
    StartWith("");
    EXPECT_FALSE(files.Exists(path));
    EXPECT_EQ(files.Content(path + ".unreadable"),
              "[Checkpoint]\r\nConfiguration=\"Office\"\r\nKeepBy=soon\r\n");
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "\rUnable to read " + path +
                  ": it holds the settings from before an apply that was not confirmed. It was "
                  "kept as " +
                  path + ".unreadable; nothing was restored from it.   \r\r");
    EXPECT_EQ(prompts.shown[0].flags, kMbIconWarning);
}

// While another copy asks, no copy applies: refused with the configuration that waits, which
// comes to the front; apply mode ends with 2 and nothing written.
TEST_F(KeepOrRestoreTest, ASecondApplyIsRefusedWhileAnotherCopyAsks) {
    StartWith("");
    WriteCheckpoint(files, "C:\\Tools\\KeepOrRestore.Ini", {"Home", system.wallSeconds + 30, {}});
    system.applyLockHeldElsewhere = true;
    EXPECT_EQ(form->Applying.ApplyConfiguration("Office"), ApplyOutcome::Refused);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "\r\"Home\" waits for an answer: keep its new settings, or let the previous ones "
              "come back. Then apply \"Office\" again.   \r\r");
    EXPECT_EQ(prompts.shown[0].caption, "Apply Failed: Office");
    EXPECT_EQ(prompts.broughtToFront, std::vector<std::string>{"Keep - Home"});
    EXPECT_TRUE(AsBefore());
    fakes::FakeMainWindow applyMode;
    TfrmMain script(platform, applyMode.Views(), fakes::RequestFrom("vt.exe Office"));
    script.FormCreate();
    EXPECT_EQ(script.ExitCode(), kExitApplyFailed);
    EXPECT_TRUE(AsBefore());
}

}  // namespace
}  // namespace vt
