// The configuration tree and the card tabs on fakes: the save prompt on both, add, rename, delete,
// the tab marks, the current card's errors.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "base/Error.h"
#include "tests/fakes/MainWindowFixture.h"
#include "tests/fakes/PartsFixture.h"

namespace vt {
namespace {

using C = EditorControl;

class ConfigTreeTest : public fakes::PartsFixture {
  protected:
    // Office selected on the LAN tab, with an unsaved edit: the gateway typed anew.
    void EditOffice() {
        view.UserSelects(Node("Office"));
        view.UserTypes(C::edtGateway, "10.0.0.254");
        ASSERT_TRUE(editor.Modified());
    }
};

TEST_F(ConfigTreeTest, StartFillsTabsWithCardIndexesAndMarksOnSelection) {
    Start(fakes::TwoConfigurations());
    ASSERT_EQ(view.tabs.size(), 2u);
    EXPECT_EQ(view.tabs[0].caption, "LAN  ");
    EXPECT_EQ(view.tabs[1].hint, "|WLAN adapter");
    EXPECT_EQ(view.tabs[1].card, 1);
    EXPECT_EQ(view.selectedTab, 0);
    view.UserSelects(Node("Office"));
    EXPECT_EQ(view.tabs[0].image, 1);
    EXPECT_EQ(view.tabs[1].image, 0);
    EXPECT_EQ(view.Text(C::edtIP), "10.0.0.2");
    EXPECT_EQ(view.Text(C::edtDns1), "...");  // one DNS entry stored
    EXPECT_EQ(editor.AddressList(), (TAddrType{"10.0.0.2", "10.0.0.3"}));
    // A tab dragged elsewhere keeps its card: the card comes from the tab's data.
    std::swap(view.tabs[0], view.tabs[1]);
    view.UserSelectsTab(1);
    EXPECT_EQ(session.Cards().Current().ConnectionName, "LAN");
}

TEST_F(ConfigTreeTest, SavePromptOnATreeChange) {
    Start(fakes::TwoConfigurations());
    EditOffice();
    prompts.answers = {kIdCancel};
    view.UserSelects(Node("Home"));
    EXPECT_EQ(view.selected, Node("Office"));
    EXPECT_EQ(view.Text(C::edtGateway), "10.0.0.254");  // the edits stay
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "\rThe settings has been changed, do you want to save?    \r\r");
    EXPECT_EQ(prompts.shown[0].caption, "Save - Office");
    EXPECT_EQ(prompts.shown[0].flags, kMbYesNoCancel | kMbIconQuestion);

    prompts.answers = {kIdNo};
    view.UserSelects(Node("Home"));
    EXPECT_EQ(view.selected, Node("Home"));
    EXPECT_EQ(Read("{K1}{CA}", "Gateway0"), "10.0.0.1");

    view.UserSelects(Node("Office"));
    view.UserTypes(C::edtGateway, "10.0.0.254");
    prompts.answers = {kIdYes};
    view.UserSelects(Node("Home"));
    EXPECT_EQ(Read("{K1}{CA}", "Gateway0"), "10.0.0.254");
    EXPECT_FALSE(editor.Modified());
}

TEST_F(ConfigTreeTest, SavePromptOnATabChangeWritesForTheTabBeingLeft) {
    Start(fakes::TwoConfigurations());
    EditOffice();
    prompts.answers = {kIdCancel};
    view.UserSelectsTab(1);
    EXPECT_EQ(view.selectedTab, 0);
    prompts.answers = {kIdYes};
    view.UserSelectsTab(1);
    EXPECT_EQ(Read("{K1}{CA}", "Gateway0"), "10.0.0.254");
    EXPECT_EQ(Read("{K1}{CB}", "Gateway0"), "<none>");
    EXPECT_EQ(view.Text(C::edtIP), "...");  // WLAN's record of Office: the defaults
}

// A Yes that cannot save keeps the selection and the edits, as Cancel does: the editor's check
// refuses, or the system refuses the write (raised, for the window to report).
TEST_F(ConfigTreeTest, SavePromptYesThatCannotSaveKeepsTheSelectionAndTheEdits) {
    Start(fakes::TwoConfigurations());
    EditOffice();
    view.UserTypes(C::edtIP, "");
    prompts.answers = {kIdYes};
    view.UserSelects(Node("Home"));
    EXPECT_EQ(view.selected, Node("Office"));
    EXPECT_EQ(prompts.shown.back().text, "\rIP Address: can not be empty.   \r\r");
    EXPECT_EQ(view.focused, C::edtIP);
    view.UserTypes(C::edtIP, "10.0.0.2");
    files.refuseReplace = true;
    prompts.answers = {kIdYes};
    EXPECT_THROW(view.UserSelectsTab(1), Error);
    EXPECT_EQ(view.selectedTab, 0);
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(view.Text(C::edtGateway), "10.0.0.254");
}

TEST_F(ConfigTreeTest, CancelWhileTheTabsAreRebuiltLeavesNoTabSelected) {
    Start(fakes::TwoConfigurations());
    EditOffice();
    prompts.answers = {kIdCancel};
    cardTabs.FillCardTabs();
    EXPECT_EQ(view.selectedTab, -1);
    EXPECT_TRUE(editor.Modified());
}

TEST_F(ConfigTreeTest, AddOffersUnsavedEditsFirstThenNamesWritesAndSelectsWithoutRefilling) {
    Start(fakes::TwoConfigurations());
    EditOffice();
    prompts.answers = {kIdCancel};
    tree.actAddExecute();  // Cancel cancels the Add
    EXPECT_EQ(tree.Nodes().size(), 2u);
    EXPECT_EQ(view.selected, Node("Office"));
    prompts.answers = {kIdYes};
    tree.actAddExecute();
    EXPECT_EQ(Read("{K1}{CA}", "Gateway0"), "10.0.0.254");
    TConfigNode* added = Node("New Configuration1");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(view.selected, added);
    EXPECT_EQ(view.editing, added);
    EXPECT_EQ(added->ConfigKey, "{00000000-0000-4000-8000-000000000001}");
    EXPECT_EQ(Read("Configurations", added->ConfigKey), "New Configuration1");
    EXPECT_EQ(Read("FriendlyName", "New Configuration1"), added->ConfigKey);
    EXPECT_EQ(Read(added->ConfigKey, "ShowInMenu"), "1");
    EXPECT_EQ(view.Text(C::edtGateway), "10.0.0.254");  // the editor kept what it showed
    editor.btnSaveClick();
    EXPECT_EQ(Read(added->ConfigKey + "{CA}", "Gateway0"), "10.0.0.254");

    // Gaps are filled; a name is taken in any letter case, and also when only the file has it:
    // another instance added it.
    tree.tvConfigEdited(*added, "new configuration3");
    std::string ini = Ini();
    ini += "[Options]\r\nDefaultAddToMenu=0\r\n";
    ini.replace(ini.find("[FriendlyName]\r\n"), 16,
                "[FriendlyName]\r\nNEW CONFIGURATION1={K9}\r\n");
    files.Put(kPath, ini);
    tree.actAddExecute();
    TConfigNode* second = Node("New Configuration2");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(Read("FriendlyName", "New Configuration2"), second->ConfigKey);
    EXPECT_EQ(Read("FriendlyName", "New Configuration1"), "{K9}");
    EXPECT_EQ(Read(second->ConfigKey, "ShowInMenu"), "<none>");
}

TEST_F(ConfigTreeTest, RenameRefusesEmptyTakenAndUnstorableNames) {
    Start(fakes::TwoConfigurations());
    tree.tvConfigEdited(*Node("Home"), "B\xFCro");  // letters beyond A-Z fold as the file's
    TConfigNode& office = *Node("Office");
    // Another instance named a configuration of its own "Lab" meanwhile.
    std::string ini = Ini();
    ini.insert(ini.find("B\xFCro={K2}"), "Lab={K9}\r\n");
    files.Put(kPath, ini);
    const std::string before = Ini();
    const std::string taken = "The name you specified already exists. specify a different name.";
    const std::string unstorable =
        "The name cannot contain \"=\", begin with \";\", stand in brackets or quotes, nor begin "
        "or end with a blank.";
    const std::string quoted =
        "The name cannot hold a double quote: a shortcut could not pass it to the program.";
    const std::string tray =
        "The name is the program's tray-start argument: a shortcut to it would start the program "
        "in the tray.";
    struct Case {
        std::string name, why;
    };
    for (const Case& c : {Case{"", "The name cannot be empty."}, Case{"B\xDCRO", taken},
                          Case{"LAB", taken}, Case{"A=B", unstorable}, Case{"   ", unstorable},
                          Case{";x", unstorable}, Case{"'Q'", unstorable},
                          Case{"[Q]", unstorable}, Case{"\"Q\"", quoted}, Case{"Home \"B\"", quoted},
                          Case{"Lab\" \"Office", quoted},
                          Case{"{1193b663-4421-44C4-9523-35dc33c01133}", tray}}) {
        prompts.shown.clear();
        view.postedEdits.clear();
        tree.tvConfigEdited(office, c.name);
        ASSERT_EQ(prompts.shown.size(), 1u) << c.name;
        EXPECT_EQ(prompts.shown[0].text, "\rCannot rename \"Office\": " + c.why + "   \r\r");
        EXPECT_EQ(prompts.shown[0].caption, "Rename - Office");
        EXPECT_EQ(prompts.shown[0].flags, kMbIconError);
        EXPECT_EQ(view.postedEdits, std::vector<TConfigNode*>{&office});
        EXPECT_EQ(office.Text, "Office");
    }
    // Typed characters the code page lacks reached the text as look-alikes: refused by name.
    prompts.shown.clear();
    tree.tvConfigEdited(office, "Caf\xE9 O\x80?", {0x3A9, 0x1F600, 0x4E2D});
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "\rCannot rename \"Office\": The settings file cannot hold U+03A9, U+1F600 and "
              "U+4E2D, which the system's character set does not have.   \r\r");
    EXPECT_EQ(Ini(), before);

    // The name as it was ends the edit with nothing written; its own name in other letter case
    // renames it.
    prompts.shown.clear();
    view.postedEdits.clear();
    tree.tvConfigEdited(office, "Office");
    EXPECT_TRUE(prompts.shown.empty() && view.postedEdits.empty());
    EXPECT_EQ(Ini(), before);
    tree.tvConfigEdited(office, "OFFICE");
    EXPECT_EQ(Read("FriendlyName", "Office"), "{K1}");
    EXPECT_EQ(Read("Configurations", "{K1}"), "OFFICE");
    EXPECT_NE(Ini().find("OFFICE={K1}"), std::string::npos);
}

TEST_F(ConfigTreeTest, RenameWritesTheNewNameBothWaysAndTouchesNoCardSection) {
    Start(fakes::TwoConfigurations());
    tree.tvConfigEdited(*Node("Office"), "Head Office");
    EXPECT_EQ(view.items[0].text, "Head Office");
    EXPECT_EQ(Ini(),
              "[Configurations]\r\n{K1}=Head Office\r\n{K2}=Home\r\n"
              "[FriendlyName]\r\nHome={K2}\r\nHead Office={K1}\r\n" +
                  fakes::TwoConfigurations().substr(fakes::TwoConfigurations().find("[{K1}{CA}]")));
}

TEST_F(ConfigTreeTest, DeleteAsksErasesTheCurrentCardsSectionsAndSelectsANeighbour) {
    Start(fakes::TwoConfigurations() + "[{K1}{GONE}]\r\nToConfig=1\r\n[{K1}]\r\nShowInMenu=1\r\n");
    EditOffice();
    prompts.answers = {kIdNo};
    tree.actDeleteExecute();
    EXPECT_NE(Node("Office"), nullptr);
    EXPECT_EQ(prompts.shown.back().caption, "Delete - Office");
    EXPECT_EQ(prompts.shown.back().flags, kMbYesNo | kMbIconQuestion);

    prompts.answers = {kIdYes};
    tree.actDeleteExecute();
    EXPECT_EQ(prompts.shown.size(), 2u);  // no save prompt for the deleted configuration
    EXPECT_EQ(Node("Office"), nullptr);
    EXPECT_EQ(tree.Nodes().size(), 1u);
    EXPECT_EQ(view.selected, Node("Home"));
    const std::string ini = Ini();
    for (const char* gone : {"{K1}{CA}", "{K1}{CB}", "[{K1}]", "{K1}=", "Office="})
        EXPECT_EQ(ini.find(gone), std::string::npos) << gone;
    EXPECT_NE(ini.find("[{K1}{GONE}]"), std::string::npos);  // a card no longer managed

    prompts.answers = {kIdYes};
    tree.actDeleteExecute();  // the last one: the editor goes back to its start state
    EXPECT_EQ(view.selected, nullptr);
    EXPECT_FALSE(view.IsEnabled(C::btnSave));
    EXPECT_EQ(view.Text(C::edtIP), "...");
}

// Each change is one replacement of the file, so a refusal can never leave half of it behind
// (a name that finds no configuration, card sections without their configuration).
TEST_F(ConfigTreeTest, AddRenameAndDeleteReachTheFileWholeOrNotAtAll) {
    Start(fakes::TwoConfigurations());
    prompts.answers = {kIdYes, kIdYes};
    const std::vector<std::function<void()>> changes = {
        [&] { tree.actAddExecute(); },
        [&] { tree.tvConfigEdited(*Node("Office"), "Head Office"); },
        [&] { tree.actDeleteExecute(); },  // the selected one: the configuration just added
    };
    for (const auto& change : changes) {
        const std::string before = Ini();
        const size_t nodes = tree.Nodes().size();
        files.refuseReplace = true;
        EXPECT_THROW(change(), Error);
        EXPECT_EQ(Ini(), before);
        EXPECT_EQ(tree.Nodes().size(), nodes);
        files.refuseReplace = false;
        const int replaces = files.replaces;
        change();
        EXPECT_EQ(files.replaces, replaces + 1);
    }
    EXPECT_EQ(Node("Head Office")->Text, "Head Office");
    EXPECT_EQ(tree.Nodes().size(), 2u);
}

TEST_F(ConfigTreeTest, NoCardsOrAVanishedCardStopTheChangeWithTheirMessage) {
    Start(fakes::TwoConfigurations(), false);  // no adapters at all
    EXPECT_TRUE(view.tabs.empty());
    try {
        view.UserSelects(Node("Office"));
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), kNoAdapters);
    }
    SeedCard("0000", "{CA}", "LAN");
    session.Cards().Load(registry, devices, "", true);
    view.tabs = {{"LAN  ", "|", 5}};
    try {
        view.UserSelectsTab(0);
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), kAdaptersChanged);
    }
}

TEST_F(ConfigTreeTest, HoverHintNamesTheNode) {
    Start(fakes::TwoConfigurations());
    tree.tvConfigMouseMove(Node("Home"));
    tree.tvConfigMouseMove(nullptr);
    EXPECT_EQ(view.treeHint, "  Configurations - Home");
}

// The tree follows the file at the next action: another copy's rename without a word; a file
// removed or replaced with one message, its cards and tabs too; and no write for a configuration
// the file no longer holds.
class FollowTheFileTest : public fakes::MainWindowFixture {};

TEST_F(FollowTheFileTest, TheTreeFollowsTheFileAndNothingIsWrittenForAConfigurationItLost) {
    Start(fakes::TwoConfigurations());
    view.UserSelects(Node("Office"));
    SettingsFile other(files, kPath);
    other.Update([](SettingsFile::Batch& batch) {
        batch.WriteString("Configurations", "{K2}", "Lab");
        batch.DeleteKey("FriendlyName", "Home");
        batch.WriteString("FriendlyName", "Lab", "{K2}");
    });
    view.UserTypes(C::edtGateway, "10.0.0.254");
    form->Editor.btnSaveClick();
    EXPECT_EQ(view.Node("Lab")->ConfigKey, "{K2}");
    EXPECT_EQ(view.selected, Node("Office"));
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(Read("{K1}{CA}", "Gateway0"), "10.0.0.254");

    view.UserTypes(C::edtGateway, "10.0.0.253");
    files.Remove(kPath);
    form->Editor.btnSaveClick();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "\rThe settings file C:\\Tools\\LocalSettings.Ini was removed or replaced. The "
              "window now shows what it holds.   \r\r");
    EXPECT_TRUE(view.items.empty());
    EXPECT_EQ(view.selected, nullptr);
    EXPECT_FALSE(files.Exists(kPath));  // nothing saved into a file of no configurations
    form->Tree.actAddExecute();
    EXPECT_EQ(Ini().find("{K1}"), std::string::npos);
    EXPECT_EQ(prompts.shown.size(), 1u);  // told once

    // Deleted by another copy while shown: its Save writes nothing.
    view.UserSelects(Node("New Configuration1"));
    view.UserClicks(C::checkSelected);
    view.UserTypes(C::edtDns0, "10.0.0.53");
    other.DeleteKey("Configurations", "{00000000-0000-4000-8000-000000000001}");
    const std::string before = Ini();
    form->Editor.btnSaveClick();
    EXPECT_EQ(Ini(), before);
    EXPECT_TRUE(view.items.empty());
}

}  // namespace
}  // namespace vt
