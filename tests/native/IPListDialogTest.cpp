// The address list dialog's logic against a window in memory: rows in, edited, moved, removed,
// cleared, and handed back only on OK.
#include <gtest/gtest.h>

#include <map>

#include "ui/IPListDialog.h"

namespace vt {
namespace {

class FakeIPListView : public IPListView {
  public:
    std::vector<IPPair> shown;
    int selected = -1, visible = -1, shows = 0;
    bool listFocused = false, closed = false;
    std::optional<IPPair> answer;      // what the single-address dialog gives back
    std::optional<IPPair> editedFrom;  // the pair it was opened on
    bool editorOpened = false;

    void ShowRows(const std::vector<IPPair>& rows) override {
        shown = rows;
        selected = -1;  // a refilled list has no selection until one is set
        ++shows;
    }
    int SelectedRow() const override { return selected; }
    void SelectRow(int row) override { selected = row; }
    void FocusList() override { listFocused = true; }
    void MakeRowVisible(int row) override { visible = row; }
    std::optional<IPPair> EditPair(const IPPair* initial) override {
        editorOpened = true;
        editedFrom = initial ? std::optional<IPPair>(*initial) : std::nullopt;
        return answer;
    }
    void Close() override { closed = true; }
    void Tell(const std::string& text) override { told.push_back(text); }
    std::vector<std::string> told;
};

using Rows = std::vector<IPPair>;

class IPListDialogTest : public ::testing::Test {
  protected:
    void Given(const std::vector<std::string>& ips, const std::vector<std::string>& masks) {
        dialog.SetPairs(ips, masks);
    }
    FakeIPListView view;
    TfrmIPList dialog{view};
};

TEST_F(IPListDialogTest, ListsOfDifferentLengthsPairEveryAddressWithAMask) {
    Given({"10.0.0.1", "10.0.0.2", "10.0.0.3"}, {"255.0.0.0"});
    EXPECT_EQ(view.shown, (Rows{{"10.0.0.1", "255.0.0.0"}, {"10.0.0.2", ""}, {"10.0.0.3", ""}}));
    Given({"10.0.0.1"}, {"255.0.0.0", "255.255.0.0"});
    EXPECT_EQ(dialog.Rows(), (Rows{{"10.0.0.1", "255.0.0.0"}}));
}

TEST_F(IPListDialogTest, AddAppendsWhatTheSingleAddressDialogGaveEvenEmpty) {
    Given({"10.0.0.1"}, {"255.0.0.0"});
    view.answer = IPPair{"", ""};
    dialog.btnAddClick();
    EXPECT_FALSE(view.editedFrom.has_value());
    EXPECT_EQ(dialog.Rows(), (Rows{{"10.0.0.1", "255.0.0.0"}, {"", ""}}));
    view.answer.reset();  // Cancel in the single-address dialog
    dialog.btnAddClick();
    EXPECT_EQ(dialog.Rows().size(), 2u);
}

TEST_F(IPListDialogTest, ModifyEditsTheSelectedRowOrActsAsAddWithNoneSelected) {
    Given({"10.0.0.1", "10.0.0.2"}, {"255.0.0.0", "255.0.0.0"});
    view.selected = 1;
    view.answer = IPPair{"192.168.1.10", ""};
    dialog.lvIPListDblClick();
    EXPECT_EQ(view.editedFrom, (IPPair{"10.0.0.2", "255.0.0.0"}));
    EXPECT_EQ(dialog.Rows()[1], (IPPair{"192.168.1.10", ""}));
    EXPECT_EQ(view.selected, 1);
    view.selected = -1;
    dialog.sSpeedButton2Click();
    EXPECT_FALSE(view.editedFrom.has_value());
    EXPECT_EQ(dialog.Rows().size(), 3u);
    view.selected = 0;
    view.answer.reset();
    dialog.sSpeedButton2Click();
    EXPECT_EQ(dialog.Rows()[0], (IPPair{"10.0.0.1", "255.0.0.0"}));
}

TEST_F(IPListDialogTest, MovesTradePlacesWithTheNeighbourButNotPastTheEnds) {
    Given({"a", "b", "c"}, {"1", "2", "3"});
    view.selected = 0;
    dialog.sSpeedButton4Click();  // up on the first row
    view.selected = 2;
    dialog.sSpeedButton5Click();  // down on the last row
    view.selected = -1;
    dialog.sSpeedButton5Click();
    EXPECT_EQ(view.shows, 1);
    EXPECT_FALSE(view.listFocused);

    view.selected = 1;
    dialog.sSpeedButton4Click();
    EXPECT_EQ(dialog.Rows(), (Rows{{"b", "2"}, {"a", "1"}, {"c", "3"}}));
    EXPECT_EQ(view.selected, 0);
    EXPECT_EQ(view.visible, 0);
    EXPECT_TRUE(view.listFocused);
    dialog.sSpeedButton5Click();
    EXPECT_EQ(dialog.Rows(), (Rows{{"a", "1"}, {"b", "2"}, {"c", "3"}}));
    EXPECT_EQ(view.selected, 1);
}

TEST_F(IPListDialogTest, RemoveTakesTheSelectedRowOnly) {
    Given({"a", "b"}, {"1", "2"});
    dialog.sSpeedButton3Click();
    EXPECT_EQ(dialog.Rows().size(), 2u);
    view.selected = 0;
    dialog.sSpeedButton3Click();
    EXPECT_EQ(dialog.Rows(), (Rows{{"b", "2"}}));
}

TEST_F(IPListDialogTest, ClearThenOkHandsBackNothingClearThenCancelIsNotAccepted) {
    Given({"a", "b"}, {"1", "2"});
    dialog.sSpeedButton6Click();
    dialog.sButton2Click();
    EXPECT_TRUE(view.closed);
    EXPECT_FALSE(dialog.Accepted);

    FakeIPListView other;
    TfrmIPList accepted{other};
    accepted.SetPairs({"a"}, {"1"});
    accepted.sSpeedButton6Click();
    accepted.sButton1Click();
    EXPECT_TRUE(accepted.Accepted);
    EXPECT_TRUE(accepted.Rows().empty());
}

TEST_F(IPListDialogTest, NoRowPastTheLongestListACardRecordHolds) {
    Given(std::vector<std::string>(4095, "10.0.0.1"), {});
    view.answer = IPPair{"10.0.0.2", "255.0.0.0"};
    dialog.btnAddClick();
    dialog.btnAddClick();  // the 4,097th
    EXPECT_EQ(dialog.Rows().size(), 4096u);
    EXPECT_EQ(view.told, std::vector<std::string>{"A card can have at most 4096 IP addresses."});
    view.selected = 0;
    dialog.sSpeedButton2Click();  // changing a row is no new one
    EXPECT_EQ(dialog.Rows()[0], *view.answer);
}

// The single-address dialog's window in memory: what its fields show, what it said.
class FakeEditIPView : public EditIPView {
  public:
    std::map<EditIPField, std::pair<std::string, std::string>> fields;  // Text, IPText
    std::vector<std::string> told;
    std::optional<EditIPField> focused;
    std::string Address(EditIPField field) const override { return fields.at(field).second; }
    std::string AddressText(EditIPField field) const override { return fields.at(field).first; }
    void Focus(EditIPField field) override { focused = field; }
    void Tell(const std::string& text) override { told.push_back(text); }
};

TEST(EditIPDialogTest, OkRefusesWhatNoAdapterCanUseButTakesEmptyFields) {
    struct Case {
        std::pair<std::string, std::string> ip, mask;
        std::string told;  // empty: accepted
        EditIPField focused = EditIPField::edtIP;
    };
    const std::pair<std::string, std::string> none{"...", ""};
    for (const Case& c :
         {Case{none, none, ""}, Case{{"192.168.001.010", "192.168.1.10"}, none, ""},
          Case{{"0.0.0.0", ""}, {"0.0.0.0", ""}, ""},  // stored as empty
          Case{{"127.0.0.1", "127.0.0.1"},
               none,
               "IP Address: 127.0.0.1 is not valid: addresses beginning with 127 are the "
               "computer's own loopback."},
          Case{{"10.0.0.1", "10.0.0.1"},
               {"255.0.255.0", "255.0.255.0"},
               "Subnet Mask: 255.0.255.0 is not valid: a subnet mask is ones followed by "
               "zeros, without gaps.",
               EditIPField::edtMask},
          Case{{"192.168.1.255", "192.168.1.255"},
               {"255.255.255.0", "255.255.255.0"},
               "IP Address: 192.168.1.255 is not valid: it is the broadcast address of its "
               "subnet, 192.168.1.0/24."}}) {
        FakeEditIPView view;
        view.fields = {{EditIPField::edtIP, c.ip}, {EditIPField::edtMask, c.mask}};
        TfrmEditIP dialog(view);
        EXPECT_EQ(dialog.sButton1Click(), c.told.empty()) << c.ip.first;
        EXPECT_EQ(dialog.Accepted, c.told.empty());
        if (c.told.empty()) continue;
        EXPECT_EQ(view.told, std::vector<std::string>{c.told});
        EXPECT_EQ(view.focused, c.focused);
    }
}

}  // namespace
}  // namespace vt
