// The status panel, the refresh loop and the tray on fakes: the picture and texts of each state,
// the exact memo, the device line, when a refresh does nothing, a failed cycle, the tray menu.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "net/TcpipRegistry.h"
#include "tests/fakes/MainWindowFixture.h"

namespace vt {
namespace {

class StatusPanelTest : public fakes::MainWindowFixture {
  protected:
    // The LAN card {CA} as the IP stack lists it.
    void Live(uint32_t operStatus, bool dhcp) {
        AdapterRecord record;
        record.adapterName = "{CA}";
        record.index = 7;
        record.dhcpEnabled = dhcp;
        ipHelper.adapters = {record};
        ipHelper.rows[7].operStatus = operStatus;
    }
    void Value(const std::string& name, const std::string& data) {
        registry.store.Seed(InterfaceKeyPath("{CA}"), name, kRegMultiSz, data);
    }
};

TEST_F(StatusPanelTest, EachStateGivesItsPictureWordAndMemo) {
    Start(fakes::TwoConfigurations());
    form->Status.RefreshStatusPanel();  // not in the snapshot
    EXPECT_EQ(view.picture, 0);
    EXPECT_EQ(view.statusWord, "Disabled.");
    EXPECT_EQ(view.statusMemo, "Connection Disabled");
    EXPECT_EQ(view.deviceLine, "LAN adapter");

    Live(2, true);  // link down, DHCP
    form->Status.RefreshStatusPanel();
    EXPECT_EQ(view.picture, 1);
    EXPECT_EQ(view.statusWord, "DisConnected.");
    EXPECT_EQ(view.statusMemo, "Connection DisConnected");

    Value("IPAddress", std::string("10.0.0.2\0", 9));
    Live(4, false);  // 4 is not operational: still down, with the static addresses
    form->Status.RefreshStatusPanel();
    EXPECT_EQ(view.picture, 1);
    EXPECT_EQ(view.statusMemo.substr(0, 25), "IP Address: \r10.0.0.2\r\rSu");

    Value("DHCPIPAddress", std::string("10.9.9.9\0", 9));
    Live(5, true);
    registry.store.SeedDword(ConnectionKeyPath("{CA}"), "MediaSubType", 2);  // wireless
    form->Session.Cards().Load(registry, devices, "", true);
    view.UserSelects(Node("Office"));
    form->Status.RefreshStatusPanel();
    EXPECT_EQ(view.picture, 5);
    EXPECT_EQ(view.statusWord, "Connected.");
    EXPECT_EQ(view.statusMemo.substr(0, 27), "IP Address: (DHCP)\r10.9.9.9");
    EXPECT_EQ(view.deviceLine, "Office -> LAN adapter");
}

TEST_F(StatusPanelTest, TheWorkedExampleByteForByte) {
    Start(fakes::TwoConfigurations());
    Live(5, false);
    Value("IPAddress", std::string("192.168.1.10\0", 13));
    Value("SubnetMask", std::string("255.255.255.0\0", 14));
    Value("DefaultGateway", std::string("192.168.1.1\0\0", 13));
    registry.store.Seed(InterfaceKeyPath("{CA}"), "NameServer", kRegSz,
                           std::string("192.168.1.1,192.168.1.2\0", 24));
    form->Status.RefreshStatusPanel();
    EXPECT_EQ(view.statusMemo,
              "IP Address: \r192.168.1.10\r\rSubnet Mask:\r255.255.255.0\r\rGateways:\r"
              "192.168.1.1\r\n\rDNS Address:\r192.168.1.1,192.168.1.2\r");
}

TEST_F(StatusPanelTest, ASnapshotTheThreadTookIsUsedWithoutAQueryOfItsOwn) {
    Start(fakes::TwoConfigurations());
    TAdapterStatus live;
    live.AdapterName = "{CA}";
    live.OperStatus = kOperStatusOperational;
    const TAdapterStatuses taken{live};
    form->Status.RefreshStatusPanel(&taken);
    EXPECT_EQ(view.statusWord, "Connected.");
    EXPECT_TRUE(ipHelper.bufferSizes.empty());
}

TEST_F(StatusPanelTest, NothingHappensHiddenWhileUpdatingOrWithoutCards) {
    Start(fakes::TwoConfigurations());
    view.showing = false;
    form->Status.RefreshStatusPanel();
    view.showing = true;
    {
        const FormState::UpdatingScope updating(form->State);
        form->Status.RefreshStatusPanel();
    }
    registry.store = {};  // the cards went
    form->Session.Cards().Load(registry, devices, "", true);
    form->Status.RefreshStatusPanel();
    EXPECT_EQ(view.picture, -1);
    EXPECT_TRUE(ipHelper.bufferSizes.empty());
}

TEST_F(StatusPanelTest, DoubleClickOpensTheConnectionsFolderOnXpAnd2003Only) {
    Start("");
    form->Status.raNetStatusDblClick();
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0].commandLine, "RunDLL32.exe Shell32.dll,Control_RunDLL ncpa.cpl");
    EXPECT_EQ(shell.started[0].showCommand, kSwShowNormal);
    system.version = {true, kPlatformNT, 6, 0, ""};  // Vista
    EXPECT_THROW(form->Status.raNetStatusDblClick(), Error);
    EXPECT_EQ(shell.started.size(), 1u);
}

TEST(UpdateNetStatusTest, AFailedCycleIsSkippedAndTheLoopGoesOnUntilStopped) {
    TUpdateNetStatus thread;
    int refreshes = 0;
    std::vector<unsigned> sleeps;
    thread.Execute(
        [&] {
            if (++refreshes == 1) throw Error(kAdaptersChanged);
            if (refreshes == 3) thread.StopRequested = true;
        },
        [&](unsigned ms) { sleeps.push_back(ms); });
    EXPECT_EQ(refreshes, 3);
    EXPECT_EQ(sleeps, (std::vector<unsigned>{350, 350}));
}

class TrayTest : public fakes::MainWindowFixture {};

TEST_F(TrayTest, MenuListsTheShownConfigurationsInTreeOrderAndFollowsChanges) {
    Start(fakes::TwoConfigurations() + "[{K2}]\r\nShowInMenu=1\r\n[{K1}]\r\nShowInMenu=1\r\n");
    form->Tree.tvConfigEdited(*Node("Office"), "R&D");
    form->Tray.CoolTrayIcon1MouseDown(TrayButton::Right, 40, 50);
    form->Tray.CoolTrayIcon1MouseDown(TrayButton::Right, 41, 51);
    ASSERT_EQ(view.trayItems.size(), 2u);
    EXPECT_EQ(view.trayItems[0].caption, "R&D");
    EXPECT_EQ(view.trayItems[0].hint, "R&D");
    EXPECT_EQ(view.trayItems[1].caption, "Home");
    EXPECT_TRUE(view.foreground);
    EXPECT_EQ(view.trayMenuOpened.back(), (std::pair<int, int>{41, 51}));

    prompts.answers = {kIdYes};
    view.UserSelects(Node("Home"));
    form->Tree.actDeleteExecute();
    form->Tray.FillTrayMenu();
    ASSERT_EQ(view.trayItems.size(), 1u);
    EXPECT_EQ(view.trayItems[0].caption, "R&D");
}

TEST_F(TrayTest, ToTheTrayAndBackAndAnItemAppliesWithTheWindowHidden) {
    Start(fakes::TwoConfigurations());
    form->Tray.MinimizeToTray();
    EXPECT_FALSE(view.showing);
    EXPECT_TRUE(view.trayIconVisible);
    form->Tray.TrayItemClick("Office");  // the LAN card has no device: its message, no window
    EXPECT_EQ(prompts.shown.back().text, "\rApply Failed: LAN adapter does not exist.   \r\r");
    EXPECT_FALSE(view.showing);
    form->Tray.CoolTrayIcon1MouseDown(TrayButton::Other, 0, 0);
    EXPECT_FALSE(view.showing);
    form->Tray.CoolTrayIcon1MouseDown(TrayButton::Left, 0, 0);
    EXPECT_TRUE(view.showing);
    EXPECT_FALSE(view.trayIconVisible);
}

TEST_F(TrayTest, TrayStartShowsOnlyTheIconAndStartsTheRefreshThread) {
    system.commandLine = "vt.exe {1193B663-4421-44C4-9523-35DC33C01133}";
    Start("");
    EXPECT_FALSE(form->ShowMainWindow());
    EXPECT_FALSE(view.showing);
    EXPECT_TRUE(view.trayIconVisible);
    EXPECT_EQ(view.statusThread, &form->StatusThread);
}

}  // namespace
}  // namespace vt
