// The settings editor on fakes: the state table, user edits, the title box, the address list,
// the checks, and what Save and Apply write.
#include <gtest/gtest.h>

#include "net/TcpipRegistry.h"
#include "tests/fakes/PartsFixture.h"

namespace vt {
namespace {

using C = EditorControl;

class SettingsEditorTest : public fakes::PartsFixture {
  protected:
    // Enabled states of: checkIP, IP rows, checkDNS, DNS rows, Save.
    std::vector<bool> States() {
        return {view.IsEnabled(C::checkIP), view.IsEnabled(C::edtIP), view.IsEnabled(C::checkDNS),
                view.IsEnabled(C::edtDns0), view.IsEnabled(C::btnSave)};
    }
};

TEST_F(SettingsEditorTest, StateTable) {
    Start("");
    using B = std::vector<bool>;
    // The start state: nothing enabled, Enable and both automatic boxes checked.
    EXPECT_EQ(States(), (B{false, false, false, false, false}));
    EXPECT_TRUE(view.IsChecked(C::rbEnable) && view.IsChecked(C::checkIP) &&
                view.IsChecked(C::checkDNS) && !view.IsChecked(C::checkSelected));
    EXPECT_FALSE(view.IsEnabled(C::gbEditor));
    editor.ShowEditorState(true, false, false, true, true);  // adapter to be disabled
    EXPECT_EQ(States(), (B{false, false, false, false, true}));
    EXPECT_FALSE(view.IsChecked(C::checkDNS));  // a static address never shows automatic DNS
    editor.ShowEditorState(true, true, true, false, false);
    EXPECT_EQ(States(), (B{true, false, true, true, false}));
    editor.ShowEditorState(true, true, true, true, true);
    EXPECT_EQ(States(), (B{true, false, true, false, true}));
    editor.ShowEditorState(true, true, false, true, true);
    EXPECT_EQ(States(), (B{true, true, false, true, true}));
    EXPECT_TRUE(view.IsEnabled(C::checkSelected));
}

TEST_F(SettingsEditorTest, TheAutomaticBoxesDriveEachOther) {
    Start(fakes::TwoConfigurations());
    view.UserSelects(Node("Home"));
    view.UserClicks(C::checkSelected);
    view.UserClicks(C::checkIP);  // static address
    EXPECT_FALSE(view.IsChecked(C::checkDNS));
    EXPECT_FALSE(view.IsEnabled(C::checkDNS));
    EXPECT_TRUE(view.IsEnabled(C::edtGateway) && view.IsEnabled(C::edtDns1));
    EXPECT_TRUE(view.IsEnabled(C::btnSave) && view.IsEnabled(C::btnApply));
    view.UserClicks(C::checkIP);
    EXPECT_TRUE(view.IsEnabled(C::checkDNS));
    EXPECT_FALSE(view.IsChecked(C::checkDNS));
    EXPECT_TRUE(view.IsEnabled(C::edtDns0));
    EXPECT_FALSE(view.IsEnabled(C::edtIP));
}

TEST_F(SettingsEditorTest, EmptyingASegmentIsAnEdit) {
    Start(fakes::TwoConfigurations());
    view.UserSelects(Node("Office"));
    view.UserEmptiesSegment(C::edtGateway, 3);
    EXPECT_TRUE(editor.Modified());
    EXPECT_TRUE(view.IsEnabled(C::btnSave));
}

TEST_F(SettingsEditorTest, SaveWritesOneGatewayTwoDnsServersAndTheFurtherAddresses) {
    Start(fakes::TwoConfigurations());
    view.UserSelects(Node("Office"));
    view.UserTypes(C::edtIP, "192.168.001.010");
    const int looks = files.looks, reads = files.reads;
    editor.btnSaveClick();
    // The save's own look at the file, under its lock: what it wrote is not read back.
    EXPECT_EQ(files.looks - looks, 1);
    EXPECT_EQ(files.reads - reads, 1);
    const std::string s = "{K1}{CA}";
    EXPECT_EQ(Read(s, "IPCount"), "2");
    EXPECT_EQ(Read(s, "IPAddr0"), "192.168.1.10");
    EXPECT_EQ(Read(s, "IPAddr1"), "10.0.0.3");
    EXPECT_EQ(Read(s, "SubnetMask1"), "255.255.0.0");
    EXPECT_EQ(Read(s, "GatewayCount"), "1");
    EXPECT_EQ(Read(s, "DNSCount"), "2");
    EXPECT_EQ(Read(s, "DNSAddr1"), "");
    EXPECT_EQ(Read(s, "AutoDNS"), "0");
    EXPECT_FALSE(editor.Modified());
    EXPECT_FALSE(view.IsEnabled(C::btnSave));  // reloaded: clean
}

TEST_F(SettingsEditorTest, StaticAddressNeedsAnAddressAndAMask) {
    Start(fakes::TwoConfigurations());
    view.UserSelects(Node("Office"));
    const std::string before = Ini();
    view.UserTypes(C::edtIP, "");
    editor.btnApplyClick();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "\rIP Address: can not be empty.   \r\r");
    EXPECT_EQ(prompts.shown[0].caption, "Save - Office");
    EXPECT_EQ(prompts.shown[0].flags, kMbIconInformation);
    EXPECT_EQ(view.focused, C::edtIP);
    view.UserTypes(C::edtIP, "10.0.0.9");
    view.UserTypes(C::edtMask, "");
    editor.btnSaveClick();
    EXPECT_EQ(prompts.shown.back().text, "\rSubnet Mask: can not be empty.   \r\r");
    EXPECT_EQ(view.focused, C::edtMask);
    EXPECT_EQ(Ini(), before);
    EXPECT_TRUE(editor.Modified());

    view.UserClicks(C::rbDisable);  // no address check for an adapter to be disabled
    editor.btnSaveClick();
    EXPECT_EQ(Read("{K1}{CA}", "ToEnable"), "0");
    EXPECT_EQ(Read("{K1}{CA}", "SubnetMask0"), "");
}

// What Windows' own TCP/IP dialog refuses is refused by name, the field focused, nothing
// written; a gateway no address reaches directly is asked about.
TEST_F(SettingsEditorTest, AddressesNoAdapterCanUseAreRefusedByName) {
    Start(fakes::TwoConfigurations());
    view.UserSelects(Node("Office"));  // 10.0.0.2/255.0.0.0 and 10.0.0.3/255.255.0.0, via 10.0.0.1
    const std::string before = Ini();
    struct Case {
        EditorControl field;
        std::string typed, message;
    };
    const std::string invalid = " is not valid: ";
    for (const Case& c :
         {Case{C::edtIP, "0.0.0.0",
               "IP Address: 0.0.0.0 is no address: type the adapter's own address."},
          Case{C::edtIP, "0.1.2.3",
               "IP Address: 0.1.2.3" + invalid +
                   "addresses beginning with 0 stand for this network."},
          Case{C::edtIP, "127.0.0.1",
               "IP Address: 127.0.0.1" + invalid +
                   "addresses beginning with 127 are the computer's own loopback."},
          Case{C::edtIP, "224.0.0.5",
               "IP Address: 224.0.0.5" + invalid + "it is a multicast address."},
          Case{C::edtIP, "250.1.1.1",
               "IP Address: 250.1.1.1" + invalid + "it is a reserved address."},
          Case{C::edtIP, "255.255.255.255",
               "IP Address: 255.255.255.255" + invalid + "it is the broadcast address."},
          Case{C::edtIP, "10.0.0.0",
               "IP Address: 10.0.0.0" + invalid +
                   "it is the network address of its subnet, 10.0.0.0/8."},
          Case{C::edtIP, "10.255.255.255",
               "IP Address: 10.255.255.255" + invalid +
                   "it is the broadcast address of its subnet, 10.0.0.0/8."},
          Case{C::edtMask, "255.0.255.0",
               "Subnet Mask: 255.0.255.0" + invalid +
                   "a subnet mask is ones followed by zeros, without gaps."},
          Case{C::edtMask, "0.0.0.0",
               "Subnet Mask: 0.0.0.0 is no subnet mask: type the adapter's subnet mask."},
          Case{C::edtGateway, "0.0.0.0",
               "Default Gateway: 0.0.0.0 is no address: leave the field empty for none."},
          Case{C::edtGateway, "10.255.255.255",
               "Default Gateway: 10.255.255.255" + invalid +
                   "it is the broadcast address of its subnet, 10.0.0.0/8."},
          Case{C::edtGateway, "239.1.1.1",
               "Default Gateway: 239.1.1.1" + invalid + "it is a multicast address."},
          Case{C::edtDns0, "0.0.0.0",
               "Preferred DNS Server: 0.0.0.0 is no address: leave the field empty for none."},
          Case{C::edtDns1, "255.255.255.255",
               "Alternate DNS Server: 255.255.255.255" + invalid + "it is the broadcast address."},
          Case{C::edtDns1, "240.0.0.1",
               "Alternate DNS Server: 240.0.0.1" + invalid + "it is a reserved address."}}) {
        editor.btnCancelClick();  // the stored record again, then one field changed
        view.UserTypes(c.field, c.typed);
        prompts.shown.clear();
        editor.btnSaveClick();
        ASSERT_EQ(prompts.shown.size(), 1u) << c.typed;
        EXPECT_EQ(prompts.shown[0].text, "\r" + c.message + "   \r\r");
        EXPECT_EQ(view.focused, c.field) << c.typed;
        EXPECT_EQ(Ini(), before);
    }
    // A resolver on the computer itself, and a /31 link's two ends, are fine.
    view.UserTypes(C::edtDns1, "127.0.0.1");
    view.UserTypes(C::edtMask, "255.255.255.254");
    view.UserTypes(C::edtIP, "10.0.0.0");
    view.UserTypes(C::edtGateway, "10.0.0.1");
    prompts.shown.clear();
    editor.btnSaveClick();
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(Read("{K1}{CA}", "DNSAddr1"), "127.0.0.1");

    // A gateway outside every address's subnet, the list's second one's too: No keeps the edits.
    view.UserTypes(C::edtGateway, "192.168.7.1");
    prompts.answers = {kIdNo, kIdYes};
    editor.btnSaveClick();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "\rDefault Gateway: 192.168.7.1 is not in the subnet of any of the adapter's "
              "addresses. Keep it?   \r\r");
    EXPECT_EQ(prompts.shown[0].flags, kMbYesNo | kMbIconQuestion);
    EXPECT_EQ(view.focused, C::edtGateway);
    EXPECT_EQ(Read("{K1}{CA}", "Gateway0"), "10.0.0.1");
    editor.btnSaveClick();
    EXPECT_EQ(Read("{K1}{CA}", "Gateway0"), "192.168.7.1");
    view.UserTypes(C::edtGateway, "10.0.200.1");  // in 10.0.0.3/16, the list's second address
    prompts.shown.clear();
    editor.btnSaveClick();
    EXPECT_TRUE(prompts.shown.empty());
}

// A record that could not be read is never shown as if it were empty, nor saved over: the
// editor stays in its start state, and the next edit loads it instead of being taken.
TEST_F(SettingsEditorTest, ARecordThatCouldNotBeReadIsNeitherShownNorSavedOver) {
    Start(fakes::TwoConfigurations());
    view.UserSelects(Node("Home"));
    const std::string before = Ini();
    files.Put(kPath, before + "[{K0}]\r\n");  // changed: the next look reads it
    files.unreadableReads = 1;
    EXPECT_THROW(view.UserSelects(Node("Office")), SettingsUnreadable);
    EXPECT_FALSE(view.IsEnabled(C::btnSave) || view.IsEnabled(C::edtIP));
    EXPECT_EQ(view.Text(C::edtIP), "...");
    view.UserClicks(C::checkSelected);  // the hold is over: the record comes, the click does not
    EXPECT_EQ(view.Address(C::edtIP), "10.0.0.2");
    EXPECT_TRUE(view.IsChecked(C::checkSelected));
    editor.btnSaveClick();
    EXPECT_EQ(Read("{K1}{CA}", "Gateway0"), "10.0.0.1");
    EXPECT_EQ(Read("{K1}{CA}", "IPAddr1"), "10.0.0.3");
}

// Another copy saved the same record meanwhile: what this editor changed goes over it, what it
// did not keeps the other's; a field both changed is overwritten only on Yes, and No shows the
// other's.
TEST_F(SettingsEditorTest, ASaveKeepsAnotherCopysChangesUnlessTheUserOverwritesThem) {
    Start(fakes::TwoConfigurations());
    view.UserSelects(Node("Office"));
    SettingsFile other(files, kPath);
    view.UserTypes(C::edtGateway, "10.0.0.254");
    other.WriteString("{K1}{CA}", "DNSAddr0", "10.0.0.99");
    editor.btnSaveClick();
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(Read("{K1}{CA}", "Gateway0"), "10.0.0.254");
    EXPECT_EQ(Read("{K1}{CA}", "DNSAddr0"), "10.0.0.99");

    view.UserTypes(C::edtDns0, "10.0.0.77");
    other.WriteString("{K1}{CA}", "DNSAddr0", "10.0.0.88");
    prompts.answers = {kIdNo};
    editor.btnSaveClick();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "\r\"Office\" for LAN was changed by another program. Overwrite it?   \r\r");
    EXPECT_EQ(prompts.shown[0].flags, kMbYesNo | kMbIconQuestion);
    EXPECT_EQ(Read("{K1}{CA}", "DNSAddr0"), "10.0.0.88");
    EXPECT_EQ(view.Address(C::edtDns0), "10.0.0.88");  // reloaded
    view.UserTypes(C::edtDns0, "10.0.0.77");
    other.WriteString("{K1}{CA}", "DNSAddr0", "10.0.0.66");
    prompts.answers = {kIdYes};
    editor.btnSaveClick();
    EXPECT_EQ(Read("{K1}{CA}", "DNSAddr0"), "10.0.0.77");

    // An address goes with its own mask: another copy's new mask never meets this one's new
    // address (10.1.2.0/24 would be a network's own address).
    other.WriteString("{K1}{CA}", "SubnetMask0", "255.255.255.0");
    view.UserTypes(C::edtIP, "10.1.2.0");
    prompts.shown.clear();
    prompts.answers = {kIdYes};
    editor.btnSaveClick();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_NE(prompts.shown[0].text.find("Overwrite it?"), std::string::npos);
    EXPECT_EQ(Read("{K1}{CA}", "IPAddr0"), "10.1.2.0");
    EXPECT_EQ(Read("{K1}{CA}", "SubnetMask0"), "255.0.0.0");
    // Another copy's change that the editor would refuse is not saved beside this one's unasked.
    other.WriteString("{K1}{CA}", "DNSAddr1", "224.0.0.1");
    view.UserTypes(C::edtGateway, "10.0.0.253");
    prompts.shown.clear();
    prompts.answers = {kIdNo};
    editor.btnSaveClick();
    ASSERT_EQ(prompts.shown.size(), 1u);
    const std::string& asked = prompts.shown[0].text;
    EXPECT_EQ(asked.rfind("\r\"Office\" for LAN was changed by another program too. Together with "
                          "your changes: Alternate DNS Server: 224.0.0.1 ", 0), 0u) << asked;
    EXPECT_NE(asked.find(" Save it anyway?   \r\r"), std::string::npos) << asked;
    EXPECT_EQ(Read("{K1}{CA}", "Gateway0"), "10.0.0.254");
}

TEST_F(SettingsEditorTest, TitleBoxStoresAtOnceAndAddsToAnEmptyTree) {
    Start(fakes::TwoConfigurations());
    const std::string before = Ini();
    view.UserClicks(C::checkSelected);  // configurations, none selected: only the tab mark
    EXPECT_EQ(Ini(), before);
    EXPECT_EQ(view.tabs[0].image, 1);

    tree.Clear();  // an empty tree: the click adds a configuration first
    files.Put(kPath, "");
    view.checked[C::checkSelected] = false;
    view.UserClicks(C::checkSelected);
    TConfigNode* added = Node("New Configuration1");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(Read(added->ConfigKey + "{CA}", "ToConfig"), "1");
    EXPECT_EQ(view.tabs[0].image, 1);
    EXPECT_TRUE(view.IsEnabled(C::btnApply));
    EXPECT_FALSE(editor.Modified());  // nothing left to ask about
}

TEST_F(SettingsEditorTest, AddressListShowsTheNodesListsAndOnOkReplacesThem) {
    Start(fakes::TwoConfigurations());
    view.UserSelects(Node("Office"));
    view.UserTypes(C::edtIP, "10.9.9.9");
    editor.btnIPMoreClick();  // Cancel: nothing changes
    EXPECT_EQ(view.addressListShown,
              (std::vector<IPPair>{{"10.0.0.2", "255.0.0.0"}, {"10.0.0.3", "255.255.0.0"}}));
    EXPECT_EQ(view.Text(C::edtIP), "10.9.9.9");

    view.addressListAnswer = std::vector<IPPair>{{"172.16.0.1", "255.255.0.0"}};
    editor.btnIPMoreClick();
    EXPECT_EQ(editor.AddressList(), TAddrType{"172.16.0.1"});
    EXPECT_EQ(view.Text(C::edtMask), "255.255.0.0");
    EXPECT_TRUE(view.IsEnabled(C::btnSave));

    view.addressListAnswer = std::vector<IPPair>{};  // every row removed: the fields follow
    editor.btnIPMoreClick();
    EXPECT_EQ(view.Text(C::edtIP), "...");
    editor.btnSaveClick();  // a static address needs one
    ASSERT_FALSE(prompts.shown.empty());
    EXPECT_EQ(prompts.shown.back().text, "\rIP Address: can not be empty.   \r\r");
    EXPECT_EQ(Read("{K1}{CA}", "IPCount"), "2");
    // An address typed with no list behind it is the list's first entry.
    view.UserTypes(C::edtIP, "10.1.1.1");
    view.UserTypes(C::edtMask, "255.0.0.0");
    editor.btnSaveClick();
    EXPECT_EQ(Read("{K1}{CA}", "IPCount"), "1");
    EXPECT_EQ(Read("{K1}{CA}", "IPAddr0"), "10.1.1.1");
    EXPECT_EQ(Read("{K1}{CA}", "SubnetMask0"), "255.0.0.0");
}

TEST_F(SettingsEditorTest, ApplyWritesTheRecordAlsoWhenTheDeviceFails) {
    Start(fakes::TwoConfigurations());
    view.UserSelects(Node("Office"));
    view.UserTypes(C::edtGateway, "10.0.0.254");
    session.Marks().cardBeingWritten = true;  // a card's registry values are being written
    editor.btnApplyClick();
    EXPECT_EQ(Read("{K1}{CA}", "Gateway0"), "10.0.0.1");
    session.Marks().cardBeingWritten = false;
    editor.btnApplyClick();
    EXPECT_EQ(Read("{K1}{CA}", "Gateway0"), "10.0.0.254");
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].caption, "LAN");
    EXPECT_EQ(prompts.shown[0].text, "\rApply Failed: LAN adapter does not exist.   \r\r");
}

// What the end-to-end run cannot make: servers apart by blanks, fewer masks than addresses, a
// disabled device, a value of another type.
TEST_F(SettingsEditorTest, TakeCurrentSettingsReadsWhatTheSystemStores) {
    Start(fakes::TwoConfigurations());
    const std::string key = InterfaceKeyPath("{CA}");
    registry.store.SeedDword(key, "EnableDHCP", 0);
    registry.store.Seed(key, "IPAddress", kRegMultiSz,
                        std::string("192.0.2.5\0"
                                    "192.0.2.6\0\0",
                                    21));
    registry.store.Seed(key, "SubnetMask", kRegMultiSz, std::string("255.255.255.0\0\0", 15));
    registry.store.SeedString(key, "NameServer", "192.0.2.53  192.0.2.54,192.0.2.55");
    registry.store.SeedString(ConnectionKeyPath("{CA}"), "PnpInstanceID", "PCI\\VEN_1");
    session.Cards().Load(registry, devices, "", true);
    devices.devices = {fakes::FakeDevice{"PCI\\VEN_1", "Net", "", 0, 0x16}};  // CM_PROB_DISABLED
    view.UserSelects(Node("Home"));
    editor.actTakeCurrentExecute();
    EXPECT_TRUE(view.IsChecked(C::checkSelected) && view.IsChecked(C::rbDisable));
    EXPECT_EQ(view.Address(C::edtDns1), "192.0.2.54");
    EXPECT_EQ(view.Address(C::edtGateway), "");
    EXPECT_EQ(editor.MaskList(), (TAddrType{"255.255.255.0", ""}));
    EXPECT_TRUE(editor.Modified());
    editor.btnCancelClick();

    // A static card without servers: Office's stored server does not stay in the fields.
    registry.store.Find(key)->values.erase(fakes::FakeRegistryStore::Fold("NameServer"));
    view.UserSelects(Node("Office"));
    ASSERT_EQ(view.Address(C::edtDns0), "10.0.0.53");
    editor.actTakeCurrentExecute();
    EXPECT_EQ(view.Address(C::edtDns0), "");
    EXPECT_FALSE(view.IsChecked(C::checkDNS));
    editor.btnCancelClick();
    view.UserSelects(Node("Home"));

    registry.store.SeedString(key, "EnableDHCP", "0");
    editor.actTakeCurrentExecute();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "\rNo current settings can be read for LAN.   \r\r");
    EXPECT_EQ(prompts.shown[0].flags, kMbIconInformation);
    EXPECT_FALSE(editor.Modified() || view.IsChecked(C::checkSelected));
}

}  // namespace
}  // namespace vt
