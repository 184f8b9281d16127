// Switching a card's device and taking the devices' friendly names, on fake devices.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "net/DeviceControl.h"
#include "tests/fakes/FakeDevices.h"
#include "tests/fakes/FakePrompts.h"

namespace vt {
namespace {

using Calls = std::vector<std::string>;

class SwitchCardTest : public ::testing::Test {
  protected:
    fakes::FakeDevices devices;
    fakes::FakePrompts prompts;
    TACard card;
    void SetUp() override {
        card.PnpInstanceId = "PCI\\VEN_10ECDEV_8139\\41F7DBC9F040F0";
        card.DriverDesc = "Realtek RTL8139 Family PCI Fast Ethernet NIC";
        devices.devices = {{"ACPI\\PNP0303\\4&1"},
                           {"pci\\ven_10ec&dev_8139\\4&1f7dbc9f&0&40f0", "Net", "", kDnStarted}};
    }
    std::string Error(bool toEnable) {
        try {
            SwitchCard(devices, prompts, card, toEnable);
        } catch (const vt::Error& e) {
            return e.what();
        }
        return "<no error>";
    }
    void ExpectCleanedUp() {
        EXPECT_EQ(prompts.cursor, 1u) << "the wait cursor stayed";
        EXPECT_EQ(devices.setsOpen, 0) << "the device set was not released";
    }
};

TEST_F(SwitchCardTest, StartedDeviceIsRestartedWhenItStaysEnabled) {
    EXPECT_TRUE(SwitchCard(devices, prompts, card, true));
    EXPECT_EQ(devices.calls,
              (Calls{"enum 0", "id 0", "enum 1", "id 1", "status 1", "params 1 disable", "call 1",
                     "params 1 enable", "call 1", "release"}));
    ExpectCleanedUp();
}

TEST_F(SwitchCardTest, StartedDeviceIsOnlyDisabledWhenItIsToBeOff) {
    EXPECT_TRUE(SwitchCard(devices, prompts, card, false));
    EXPECT_EQ(devices.InstallerCalls(), 1);
    EXPECT_NE(std::find(devices.calls.begin(), devices.calls.end(), "params 1 disable"),
              devices.calls.end());
}

TEST_F(SwitchCardTest, DeviceNotStartedGetsOnlyTheEnableOrNothing) {
    devices.devices[1].status = 0x400;  // any state but started, such as a driver problem
    devices.devices[1].problem = 10;
    EXPECT_TRUE(SwitchCard(devices, prompts, card, true));
    EXPECT_EQ(devices.InstallerCalls(), 1);
    EXPECT_NE(std::find(devices.calls.begin(), devices.calls.end(), "params 1 enable"),
              devices.calls.end());
    devices.calls.clear();
    devices.devices[1].status = 0x400;  // the enable started it; not started again
    EXPECT_TRUE(SwitchCard(devices, prompts, card, false));
    EXPECT_EQ(devices.InstallerCalls(), 0);
    ExpectCleanedUp();
}

TEST_F(SwitchCardTest, UnreadableStatusChangesNothingButCountsAsFound) {
    devices.devices[1].statusFails = true;
    EXPECT_TRUE(SwitchCard(devices, prompts, card, true));
    EXPECT_EQ(devices.InstallerCalls(), 0);
}

TEST_F(SwitchCardTest, OnlyTheFirstOfTwoMatchingDevicesIsSwitched) {
    devices.devices.push_back({"PCI\\VEN_10EC&DEV_8139\\4&1F7DBC9F&0&40F0", "Net", "", kDnStarted});
    EXPECT_TRUE(SwitchCard(devices, prompts, card, true));
    for (const std::string& call : devices.calls)
        EXPECT_EQ(call.find(" 2"), std::string::npos) << call;
}

TEST_F(SwitchCardTest, WaitingMessagesRunOncePerDeviceWalked) {
    devices.devices.insert(devices.devices.begin(), {"ROOT\\A"});
    SwitchCard(devices, prompts, card, true);
    EXPECT_EQ(prompts.pumps, 3);
}

TEST_F(SwitchCardTest, MissingDeviceNamesTheCardAfterBothWalks) {
    devices.devices.pop_back();
    EXPECT_EQ(Error(true), "Realtek RTL8139 Family PCI Fast Ethernet NIC does not exist.");
    // The network class's walk, then every device's (the fake has one set for both).
    EXPECT_EQ(prompts.pumps, 2);
    EXPECT_EQ(prompts.cursorChanges, 4);
    ExpectCleanedUp();
}

TEST_F(SwitchCardTest, ShortWalkIsOfTheCardsEnumeratorAndARefusedOneFallsBack) {
    devices.netSetFails = true;  // as for an enumerator the system does not know
    EXPECT_TRUE(SwitchCard(devices, prompts, card, false));
    EXPECT_EQ(devices.InstallerCalls(), 1);
    card.PnpInstanceId = "NOENUMERATOR";
    EXPECT_EQ(Error(false), card.DriverDesc + " does not exist.");
    EXPECT_EQ(devices.netSetEnumerators, (Calls{"PCI", ""}));
    ExpectCleanedUp();
}

TEST_F(SwitchCardTest, EveryFailureRestoresTheCursorAndReleasesTheSet) {
    devices.setParamsFails = true;
    EXPECT_EQ(Error(true), "Call SetupDiSetClassInstallParams Error");
    ExpectCleanedUp();
    devices.setParamsFails = false;
    devices.installerFails = true;
    devices.calls.clear();
    EXPECT_EQ(Error(true), "Call SetupDiCallClassInstaller Error");
    EXPECT_EQ(devices.InstallerCalls(), 1);  // the walk stopped at the failed disable
    ExpectCleanedUp();
    devices.setFails = true;
    EXPECT_EQ(Error(true), "INVALID_HANDLE_VALUE");
    EXPECT_EQ(prompts.cursor, 1u);
    EXPECT_EQ(prompts.cursorChanges, 6);  // shown and restored on each of the three paths
}

TEST_F(SwitchCardTest, UnreadableInstanceIdNeverMatches) {
    devices.devices[1].instanceIdFails = true;
    EXPECT_EQ(Error(true), card.DriverDesc + " does not exist.");
}

class RefreshCardNamesTest : public ::testing::Test {
  protected:
    fakes::FakeDevices devices;
    TCardList cards;
    void SetUp() override {
        cards.resize(3);
        cards[0].PnpInstanceId = "PCI\\VEN_1\\A";
        cards[0].DriverDesc = "From registry 0";
        cards[1].PnpInstanceId = "PCI\\VEN_2\\B";
        cards[1].DriverDesc = "From registry 1";
        cards[2].PnpInstanceId = "PCI\\VEN_3\\C";
        cards[2].DriverDesc = "From registry 2";
    }
};

TEST_F(RefreshCardNamesTest, NetDevicesWithFriendlyNamesRenameTheirCards) {
    devices.devices = {{"pci\\ven_1\\a", "Net", "Intel PRO/1000 #2"},
                       {"PCI\\VEN_2\\B", "Ports", "COM port with the same id"},
                       {"PCI\\VEN_2\\B", "net", "lower-case class"},
                       {"PCI\\VEN_3\\C", "Net", ""},
                       {"PCI\\VEN_9\\Z", "Net", "no card's device"}};
    RefreshCardNames(devices, cards);
    EXPECT_EQ(cards[0].DriverDesc, "Intel PRO/1000 #2");
    // The class is asked only of the cards' own devices, the friendly name only of "Net" ones.
    EXPECT_EQ(devices.calls, (Calls{"enum 0", "id 0", "property 0 7", "property 0 12", "enum 1",
                                    "id 1", "property 1 7", "enum 2", "id 2", "property 2 7",
                                    "enum 3", "id 3", "property 3 7", "property 3 12", "enum 4",
                                    "id 4", "enum 5", "release"}));
    EXPECT_EQ(cards[1].DriverDesc, "From registry 1");
    EXPECT_EQ(cards[2].DriverDesc, "From registry 2");
    EXPECT_EQ(devices.setsOpen, 0);
}

TEST_F(RefreshCardNamesTest, OnlyTheFirstCardWithTheIdIsRenamed) {
    cards[1].PnpInstanceId = cards[0].PnpInstanceId;
    devices.devices = {{"PCI\\VEN_1\\A", "Net", "Named"}};
    RefreshCardNames(devices, cards);
    EXPECT_EQ(cards[0].DriverDesc, "Named");
    EXPECT_EQ(cards[1].DriverDesc, "From registry 1");
}

TEST_F(RefreshCardNamesTest, NoDeviceSetIsAnError) {
    devices.setFails = true;
    EXPECT_THROW(RefreshCardNames(devices, cards), Error);
    EXPECT_EQ(cards[0].DriverDesc, "From registry 0");
}

}  // namespace
}  // namespace vt
