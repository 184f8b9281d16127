// Shortcuts, the help and web actions, and the options dialog on fakes: every field of the links,
// the icon dialog, names that fail, what OK stores and carries out, and what Cancel does not.
#include <gtest/gtest.h>

#include "tests/fakes/MainWindowFixture.h"

namespace vt {
namespace {

class ShortcutsTest : public fakes::MainWindowFixture {
  protected:
    void SetUp() override {
        Start(fakes::TwoConfigurations());
        view.UserSelects(Node("Office"));
    }
    void CustomizeIcon() {
        std::string ini = Ini();
        ini.replace(ini.find("[Options]\r\n"), 11, "[Options]\r\nCustomizeIcon=1\r\n");
        files.Put(kPath, ini);
    }
};

TEST_F(ShortcutsTest, DesktopAndQuickLaunchLinksCarryEveryField) {
    form->Actions.actDesktopShortCutExecute();
    ShellLink expected;
    expected.file = "C:\\Users\\Ann\\Desktop\\Office.lnk";
    expected.description = "Velmora Tarvello";
    expected.target = "C:\\Tools\\VelmoraTarvello.exe";
    expected.arguments = "\"Office\"";
    expected.workingDirectory = "C:\\Tools\\";
    expected.showCommand = kSwShowNormal;
    ASSERT_EQ(shell.links.count(expected.file), 1u);
    EXPECT_EQ(shell.links[expected.file], expected);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "\rA shortcut has been created successfully.   \r\r");
    EXPECT_EQ(prompts.shown[0].caption, "Information");
    EXPECT_EQ(prompts.shown[0].flags, kMbIconInformation);
    EXPECT_EQ(view.iconDialogs, 0);  // the option is off

    // A fresh profile has no quick-launch folder: it is made, as the shell would.
    form->Actions.actQuickLaunchExecute();
    EXPECT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(shell.links.count(
                  "C:\\Users\\Ann\\AppData\\Microsoft\\Internet Explorer\\Quick Launch\\Office.lnk"),
              1u);
}

TEST_F(ShortcutsTest, IconDialogCancelledVanishedOrChosen) {
    CustomizeIcon();
    form->Actions.actDesktopShortCutExecute();  // cancelled: no file, no message
    EXPECT_TRUE(shell.links.empty());
    EXPECT_TRUE(prompts.shown.empty());
    view.iconAnswers = {"C:\\Icons\\gone.ico", "C:\\Icons\\net.ico"};
    shell.files.insert("C:\\Icons\\net.ico");
    form->Actions.actDesktopShortCutExecute();
    EXPECT_EQ(shell.links.begin()->second.iconFile, "");  // the chosen file went meanwhile
    form->Actions.actDesktopShortCutExecute();
    EXPECT_EQ(shell.links.begin()->second.iconFile, "C:\\Icons\\net.ico");
    EXPECT_EQ(shell.links.begin()->second.iconIndex, 0);
}

TEST_F(ShortcutsTest, NamesTheFileSystemRefusesOrThatLeaveTheFolderWriteNothing) {
    for (const char* name : {"Lab: 10", "A/B", "..\\..\\Windows\\evil", "Up..", "x\\y", "NUL",
                             "com1.txt", "Lpt9 ", "CON.x", "COM\xB9"})
        form->Actions.CreateShortcut(ShortcutKind::Desktop, name);
    form->Actions.CreateShortcut(ShortcutKind::Desktop, "Com10");  // a name like any other
    EXPECT_EQ(shell.links.size(), 1u);
    shell.links.clear();
    // Without its folder a link would land in the drive's root; a save that leaves no file is
    // no success.
    shell.folders.erase(kCsidlDesktopDirectory);
    shell.existingFolders.insert("");  // the drive's root
    form->Actions.actDesktopShortCutExecute();
    shell.folders[kCsidlDesktopDirectory] = "C:\\Users\\Ann\\Desktop";
    shell.savesNowhere = true;
    form->Actions.actDesktopShortCutExecute();
    EXPECT_TRUE(shell.links.empty());
    EXPECT_EQ(prompts.shown.size(), 1u);  // Com10's

    // A name that would reach the program as another name, or as the tray start, says so.
    for (const std::string name : {"Lab\" \"Office", "{1193b663-4421-44c4-9523-35dc33c01133}"}) {
        form->Actions.CreateShortcut(ShortcutKind::Desktop, name);
        EXPECT_EQ(prompts.shown.back().caption, "Shortcut - " + name);
        EXPECT_EQ(prompts.shown.back().flags, kMbIconError);
    }
    EXPECT_EQ(prompts.shown.size(), 3u);
    EXPECT_TRUE(shell.links.empty());
}

TEST_F(ShortcutsTest, HelpWebFeedbackAboutAndExit) {
    form->Actions.actHelpExecute();
    form->Actions.actHomepageExecute();
    form->Actions.actWebsiteExecute();
    form->Actions.actSendFeedbackExecute();
    ASSERT_EQ(shell.opened.size(), 4u);
    EXPECT_EQ(shell.opened[0].file, "zendrelhelp.chm");  // neither here nor there: the shell says
    EXPECT_EQ(shell.opened[0].verb, "open");
    EXPECT_EQ(shell.opened[1].file, "IEXPLORE.EXE");
    EXPECT_EQ(shell.opened[1].parameters, "http://www.example.com/");
    EXPECT_EQ(shell.opened[2].parameters, "http://www.example.com/velmora-tarvello/");
    EXPECT_EQ(shell.opened[3].verb, "");
    EXPECT_EQ(shell.opened[3].file, "mailto:support@example.com");
    EXPECT_EQ(shell.opened[3].showCommand, kSwShow);
    // Help is looked for in the current folder, then beside the program.
    shell.files.insert("C:\\Tools\\zendrelhelp.chm");
    form->Actions.actHelpExecute();
    EXPECT_EQ(shell.opened.back().file, "C:\\Tools\\zendrelhelp.chm");
    shell.files.insert("zendrelhelp.chm");
    form->Actions.actHelpExecute();
    EXPECT_EQ(shell.opened.back().file, "zendrelhelp.chm");
    form->Actions.actAboutExecute();
    form->Actions.actExitExecute();
    EXPECT_EQ(view.aboutShown, 1);
    EXPECT_TRUE(view.closed);
}

class OptionsTest : public fakes::MainWindowFixture {
  protected:
    void SetUp() override {
        SeedCard("0002", "{CC}", "Other");  // has a connection, not managed by the default rule
        registry.store.SeedString(std::string(kAdapterClassKey) + "\\0002\\Ndi\\Interfaces",
                                  "LowerRange", "wan");
        Start(fakes::TwoConfigurations() + "[{K2}]\r\nShowInMenu=1\r\n");
        shell.libraries["C:\\Tools\\contmenu.dll!DllRegisterServer"] = 0;
    }
    const std::string autorun = "C:\\Users\\Ann\\Startup\\Velmora Tarvello.lnk";
};

TEST_F(OptionsTest, TheDialogOpensOnTheStoredChoices) {
    TfrmOptions* shown = nullptr;
    view.userInOptions = [&](TfrmOptions& dialog) {
        shown = &dialog;
        EXPECT_FALSE(dialog.Autorun);
        EXPECT_TRUE(dialog.EnableMenu);
        ASSERT_EQ(dialog.CardList.size(), 3u);
        for (const OptionsCard& card : dialog.CardList)  // checked: managed now
            EXPECT_EQ(card.checked, card.cfgInstanceId != "{CC}") << card.cfgInstanceId;
        EXPECT_EQ(dialog.OldFilters.size(), std::string("{CA},{CB},").size());
        EXPECT_EQ(dialog.OldFilters.find("{CC}"), std::string::npos);
        ASSERT_EQ(dialog.Items.size(), 2u);
        EXPECT_FALSE(dialog.Items[0].checked);
        EXPECT_TRUE(dialog.Items[1].checked);
        EXPECT_EQ(dialog.Items[1].key, "{K2}");
        dialog.sBitBtn2Click();
    };
    const std::string before = Ini();
    form->OptionsAction.actOptionsExecute();
    ASSERT_NE(shown, nullptr);
    // Cancel: nothing stored, no file touched, the extension not called.
    EXPECT_EQ(Ini(), before);
    EXPECT_TRUE(shell.links.empty());
    EXPECT_TRUE(shell.exportsCalled.empty());
}

TEST_F(OptionsTest, OkWithoutChangesWritesNothingButLeavesTheCardsAndRegisters) {
    view.userInOptions = [](TfrmOptions& dialog) { dialog.sBitBtn1Click(); };
    shell.files.insert(autorun);  // a leftover while Autorun is off
    const int tabsBefore = static_cast<int>(view.tabs.size());
    const std::string before = Ini();
    form->OptionsAction.actOptionsExecute();
    EXPECT_EQ(Ini(), before);
    EXPECT_EQ(static_cast<int>(view.tabs.size()), tabsBefore);
    EXPECT_FALSE(shell.FileExists(autorun));
    EXPECT_EQ(shell.exportsCalled, std::vector<std::string>{"C:\\Tools\\contmenu.dll!DllRegisterServer"});
}

// Left alone, the keep option follows the kind of session; set once, it is stored.
TEST_F(OptionsTest, TheKeepOptionFollowsTheSessionUntilTheUserSetsIt) {
    system.remoteSession = true;
    const std::string before = Ini();
    view.userInOptions = [](TfrmOptions& dialog) {
        EXPECT_TRUE(dialog.ConfirmApply);
        EXPECT_EQ(dialog.ConfirmSeconds, 15);
        dialog.sBitBtn1Click();
    };
    form->OptionsAction.actOptionsExecute();
    EXPECT_EQ(Ini(), before);
    view.userInOptions = [](TfrmOptions& dialog) {
        dialog.ConfirmApply = false;
        dialog.ConfirmSeconds = 900;
        dialog.sBitBtn1Click();
    };
    form->OptionsAction.actOptionsExecute();
    EXPECT_EQ(Read("Options", "ConfirmApply"), "0");
    EXPECT_EQ(Read("Options", "ConfirmSeconds"), "600");
}

// Another copy changes the file while the dialog is open: OK writes only what the user changed,
// in one write, and nothing for a configuration deleted meanwhile.
TEST_F(OptionsTest, OkWritesOnlyWhatTheUserChangedOverTheFileAsItIsNow) {
    SettingsFile other(files, kPath);
    view.userInOptions = [&](TfrmOptions& dialog) {
        other.WriteBool("{K2}", "ShowInMenu", false);
        other.WriteBool("Options", "CustomizeIcon", true);
        other.DeleteKey("Configurations", "{K1}");
        dialog.SelectAll1Click();  // both configurations offered in the menus
        dialog.Autorun = true;
        dialog.sBitBtn1Click();
    };
    const int replaces = files.replaces;
    form->OptionsAction.actOptionsExecute();
    EXPECT_EQ(files.replaces, replaces + 3 + 1);  // the other copy's three, then one
    EXPECT_EQ(Read("{K1}", "ShowInMenu"), "<none>");  // deleted meanwhile: no section back
    EXPECT_EQ(Read("{K2}", "ShowInMenu"), "0");  // offered when opened, still: the other's stays
    EXPECT_EQ(Read("Options", "CustomizeIcon"), "1");  // the other copy's, kept
    EXPECT_EQ(Read("Options", "Autorun"), "1");
    EXPECT_EQ(Read("Options", "EnableMenu"), "<none>");  // unchanged: not written
}

TEST_F(OptionsTest, ChangedAdaptersAutorunAndNoMenuAreCarriedOut) {
    view.userInOptions = [](TfrmOptions& dialog) {
        dialog.MenuItem3Click();  // invert: only Other is managed now
        dialog.Autorun = true;
        dialog.EnableMenu = false;
        dialog.SelectAll1Click();
        dialog.sBitBtn1Click();
    };
    form->OptionsAction.actOptionsExecute();
    EXPECT_EQ(Read("Options", "Filters"), "{CC},");
    ASSERT_EQ(form->Session.Cards().List().size(), 1u);
    EXPECT_EQ(view.tabs.size(), 1u);
    EXPECT_EQ(view.tabs[0].caption, "Other  ");
    EXPECT_EQ(Read("{K1}", "ShowInMenu"), "1");
    ASSERT_EQ(shell.links.count(autorun), 1u);
    const ShellLink& link = shell.links[autorun];
    EXPECT_EQ(link.arguments, "\"{1193B663-4421-44C4-9523-35DC33C01133}\"");
    EXPECT_EQ(link.showCommand, kSwHide);
    EXPECT_EQ(link.iconFile, "");
    EXPECT_EQ(link.workingDirectory, "C:\\Tools\\");
    EXPECT_EQ(shell.exportsCalled,
              std::vector<std::string>{"C:\\Tools\\contmenu.dll!DllUnregisterServer"});
    EXPECT_TRUE(prompts.shown.empty());

    // Registered for the machine, which only an administrator may undo: the user hears that the
    // menu stays, rather than nothing as for a success.
    shell.libraries["C:\\Tools\\contmenu.dll!DllUnregisterServer"] = kAccessDeniedResult;
    view.userInOptions = [](TfrmOptions& dialog) { dialog.sBitBtn1Click(); };
    form->OptionsAction.actOptionsExecute();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, std::string("\r") + kContextMenuStays + "   \r\r");
    EXPECT_EQ(prompts.shown[0].caption, "Options");
    EXPECT_EQ(prompts.shown[0].flags, kMbIconWarning);
}

// Other adapters mean other tabs: unsaved edits are offered before OK stores anything, for the
// card they were made for; Cancel stays in the dialog.
TEST_F(OptionsTest, ChangedAdaptersOfferUnsavedEditsBeforeAnythingIsStored) {
    view.UserSelects(Node("Office"));
    view.UserTypes(EditorControl::edtGateway, "10.0.0.254");
    prompts.answers = {kIdCancel, kIdYes};
    const std::string before = Ini();
    view.userInOptions = [&](TfrmOptions& dialog) {
        dialog.MenuItem3Click();  // only Other is managed now
        dialog.sBitBtn1Click();
        EXPECT_FALSE(dialog.Accepted || view.optionsView.closed);
        EXPECT_EQ(Ini(), before);
        dialog.sBitBtn1Click();
    };
    form->OptionsAction.actOptionsExecute();
    EXPECT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(Read("{K1}{CA}", "Gateway0"), "10.0.0.254");
    EXPECT_EQ(Read("{K1}{CC}", "Gateway0"), "<none>");
    EXPECT_EQ(Read("Options", "Filters"), "{CC},");
}

TEST_F(OptionsTest, NoStartupFolderWritesNoAutorunLinkElsewhere) {
    shell.folders.erase(kCsidlStartup);
    shell.existingFolders.insert("");  // the drive's root
    view.userInOptions = [](TfrmOptions& dialog) {
        dialog.Autorun = true;
        dialog.sBitBtn1Click();
    };
    form->OptionsAction.actOptionsExecute();
    EXPECT_TRUE(shell.links.empty());
    EXPECT_EQ(Read("Options", "Autorun"), "1");
}

TEST_F(OptionsTest, NoAdapterCheckedWarnsThenHandsTheChoiceToTheDefaultRule) {
    view.userInOptions = [](TfrmOptions& dialog) {
        dialog.MenuItem1Click();  // clear: every row, selected or not
        dialog.sBitBtn1Click();
    };
    form->OptionsAction.actOptionsExecute();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "\rYou didn't select any Adapters, The default adapters will be used.      \r\r");
    EXPECT_EQ(prompts.shown[0].flags, kMbOk | 0x30u);
    EXPECT_EQ(prompts.shown[0].owner, 0x5678u);
    EXPECT_EQ(Read("Options", "Filters"), "");
    EXPECT_EQ(form->Session.Cards().List().size(), 2u);  // the default rule's cards
}

}  // namespace
}  // namespace vt
