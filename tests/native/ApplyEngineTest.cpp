// The apply engine on fakes: values and bytes in both keys, device switching, messages, marks,
// refusals.
#include <gtest/gtest.h>

#include "core/ApplyEngine.h"
#include "base/Error.h"
#include "net/TcpipRegistry.h"
#include "tests/fakes/FakePlatform.h"

namespace vt {
namespace {

using Bytes = std::string;
constexpr char kPath[] = "C:\\VT\\LocalSettings.Ini";
constexpr char kKey[] = "{C0FF1000-0000-4000-8000-000000000001}";
const char* const kCardIds[] = {"{CA4D0000-0000-4000-8000-000000000001}",
                                "{CA4D0000-0000-4000-8000-000000000002}",
                                "{CA4D0000-0000-4000-8000-000000000003}"};

class ApplyEngineTest : public ::testing::Test, protected fakes::FakePlatform {
  protected:
    SettingsFile settings{files, kPath};
    TCardList cards;
    ApplyMarks marks;
    ApplyContext context{platform, settings, cards, marks, 0x77};

    void SetUp() override {
        files.Put(kPath, std::string("[FriendlyName]\r\nOffice=") + kKey + "\r\n");
        for (int i = 0; i < 3; ++i) {
            TACard card;
            card.CfgInstanceId = kCardIds[i];
            card.PnpInstanceId = "PCI\\VEN_" + std::to_string(i);
            card.ConnectionName = "Connection " + std::to_string(i);
            card.DriverDesc = "Adapter " + std::to_string(i);
            cards.push_back(card);
            devices.devices.push_back({card.PnpInstanceId, "Net", "", kDnStarted});
        }
    }
    // A static record for card i: the addresses of the typical office set-up.
    TCardConfig StaticRecord(int i) {
        TCardConfig r;
        r.ConfigKey = kKey;
        r.CardId = kCardIds[i];
        r.ToConfig = true;
        r.AutoDHCP = false;
        r.AutoDNS = false;
        r.IPAddr = {"10.0.0.2", "10.0.0.3"};
        r.SubnetMask = {"255.0.0.0", "255.255.0.0"};
        r.Gateway = {"10.0.0.1"};
        r.DNSAddr = {"10.0.0.1", "10.0.0.9"};
        return r;
    }
    void Save(const TCardConfig& r) { SaveCardConfig(settings, r); }
    const fakes::FakeRegistryStore::Value* Value(const std::string& key, const char* name) {
        return registry.store.Get(key, name);
    }
    Bytes Data(const std::string& key, const char* name) {
        const auto* v = Value(key, name);
        return v ? v->data : "<missing>";
    }
    bool Touched(int i) {
        return registry.store.Find(AdapterKeyPath(kCardIds[i])) ||
               registry.store.Find(InterfaceKeyPath(kCardIds[i]));
    }
};

TEST_F(ApplyEngineTest, StaticRecordWritesBothKeysByteForByte) {
    const TCardConfig r = StaticRecord(0);
    EXPECT_TRUE(ApplyCardConfig(context, r, cards[0]));
    for (const std::string& key : {AdapterKeyPath(kCardIds[0]), InterfaceKeyPath(kCardIds[0])}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(Value(key, "EnableDHCP")->type, kRegDword);
        EXPECT_EQ(Data(key, "EnableDHCP"), Bytes("\0\0\0\0", 4));
        EXPECT_EQ(Value(key, "IPAddress")->type, kRegMultiSz);
        EXPECT_EQ(Data(key, "IPAddress"), Bytes("10.0.0.2\0"
                                                "10.0.0.3\0",
                                                18));
        EXPECT_EQ(Data(key, "SubnetMask"), Bytes("255.0.0.0\0"
                                                 "255.255.0.0\0",
                                                 22));
        EXPECT_EQ(Data(key, "DefaultGateway"), Bytes("10.0.0.1\0\0", 10));
    }
    EXPECT_EQ(Value(InterfaceKeyPath(kCardIds[0]), "NameServer")->type, kRegSz);
    EXPECT_EQ(Data(InterfaceKeyPath(kCardIds[0]), "NameServer"), Bytes("10.0.0.1,10.0.0.9\0", 18));
    EXPECT_EQ(Value(AdapterKeyPath(kCardIds[0]), "NameServer"), nullptr);  // DNS in one key only
    EXPECT_EQ(Value(InterfaceKeyPath(kCardIds[0]), "DHCPNameServer"), nullptr);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(ApplyEngineTest, ValuesAreWrittenInOrderKeysCreatedAndTheDeviceSwitchedLast) {
    ApplyCardConfig(context, StaticRecord(0), cards[0]);
    const std::vector<std::string> expected = {"create " + AdapterKeyPath(kCardIds[0]),
                                               "set EnableDHCP",
                                               "set IPAddress",
                                               "set SubnetMask",
                                               "set DefaultGateway",
                                               "create " + InterfaceKeyPath(kCardIds[0]),
                                               "set EnableDHCP",
                                               "set IPAddress",
                                               "set SubnetMask",
                                               "set DefaultGateway",
                                               "set NameServer",
                                               "set NameServer"};
    EXPECT_EQ(registry.store.calls, expected);
    EXPECT_EQ(devices.InstallerCalls(), 2);  // a started device is restarted
}

TEST_F(ApplyEngineTest, DhcpRecordWithAutomaticDns) {
    TCardConfig r = StaticRecord(1);
    r.AutoDHCP = true;
    r.AutoDNS = true;
    ApplyCardConfig(context, r, cards[1]);
    for (const std::string& key : {AdapterKeyPath(kCardIds[1]), InterfaceKeyPath(kCardIds[1])}) {
        EXPECT_EQ(Data(key, "EnableDHCP"), Bytes("\1\0\0\0", 4));
        EXPECT_EQ(Data(key, "IPAddress"), Bytes("0.0.0.0\0", 8));
        EXPECT_EQ(Data(key, "SubnetMask"), Bytes("0.0.0.0\0", 8));
        EXPECT_EQ(Data(key, "DefaultGateway"), Bytes(1, '\0'));
    }
    EXPECT_EQ(Data(InterfaceKeyPath(kCardIds[1]), "DHCPNameServer"), Bytes(1, '\0'));
    EXPECT_EQ(Data(InterfaceKeyPath(kCardIds[1]), "NameServer"), Bytes(1, '\0'));
    EXPECT_EQ(Value(AdapterKeyPath(kCardIds[1]), "DHCPNameServer"), nullptr);
}

TEST_F(ApplyEngineTest, DhcpRecordWithFixedDns) {
    TCardConfig r = StaticRecord(1);
    r.AutoDHCP = true;
    r.DNSAddr = {"", "192.168.1.1"};
    ApplyCardConfig(context, r, cards[1]);
    EXPECT_EQ(Data(InterfaceKeyPath(kCardIds[1]), "DHCPNameServer"), Bytes(1, '\0'));
    EXPECT_EQ(Data(InterfaceKeyPath(kCardIds[1]), "NameServer"), Bytes("192.168.1.1\0", 12));
}

TEST_F(ApplyEngineTest, StaticRecordWithAutomaticDnsAndOddLists) {
    TCardConfig r = StaticRecord(2);
    r.AutoDNS = true;
    r.IPAddr = {"10.0.0.2", "", "10.0.0.3"};
    r.SubnetMask = {"255.0.0.0", "", "255.255.0.0"};
    r.Gateway = {""};
    ApplyCardConfig(context, r, cards[2]);
    const std::string key = InterfaceKeyPath(kCardIds[2]);
    EXPECT_EQ(Data(key, "IPAddress"), Bytes("10.0.0.2\0"
                                            "10.0.0.3\0",
                                            18));
    EXPECT_EQ(Data(key, "DefaultGateway"), Bytes(2, '\0'));
    EXPECT_EQ(Data(key, "NameServer"), Bytes(1, '\0'));
    r.Gateway.clear();  // a gateway count of 0 written by hand
    r.IPAddr = {"", ""};
    ApplyCardConfig(context, r, cards[2]);
    EXPECT_EQ(Data(key, "DefaultGateway"), Bytes(1, '\0'));
    EXPECT_EQ(Data(key, "IPAddress"), Bytes(1, '\0'));
}

TEST_F(ApplyEngineTest, ToEnableOffLeavesTheDeviceDisabled) {
    TCardConfig r = StaticRecord(0);
    r.ToEnable = false;
    EXPECT_TRUE(ApplyCardConfig(context, r, cards[0]));
    EXPECT_EQ(devices.InstallerCalls(), 1);
    EXPECT_NE(std::find(devices.calls.begin(), devices.calls.end(), "params 0 disable"),
              devices.calls.end());
    EXPECT_EQ(Data(AdapterKeyPath(kCardIds[0]), "EnableDHCP"), Bytes("\0\0\0\0", 4));
}

TEST_F(ApplyEngineTest, DeviceErrorIsShownWithTheConnectionNameAndTheValuesStay) {
    devices.devices[0].instanceId = "GONE";
    EXPECT_FALSE(ApplyCardConfig(context, StaticRecord(0), cards[0]));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "\rApply Failed: Adapter 0 does not exist.   \r\r");
    EXPECT_EQ(prompts.shown[0].caption, "Connection 0");
    EXPECT_EQ(prompts.shown[0].flags, kMbOk);
    EXPECT_EQ(prompts.shown[0].owner, 0x77u);
    EXPECT_EQ(Data(InterfaceKeyPath(kCardIds[0]), "NameServer"), Bytes("10.0.0.1,10.0.0.9\0", 18));
    EXPECT_FALSE(marks.cardBeingWritten);
}

TEST_F(ApplyEngineTest, CardApplyMarkCoversTheRegistryPhaseOnly) {
    int markDuringWalk = -1;
    prompts.onPump = [&] { markDuringWalk = marks.cardBeingWritten; };
    ApplyCardConfig(context, StaticRecord(0), cards[0]);
    EXPECT_EQ(markDuringWalk, 0);
    EXPECT_FALSE(marks.cardBeingWritten);
}

TEST_F(ApplyEngineTest, RefusedWriteAtEachValueStopsThereWithItsErrorAndNoSwitch) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"EnableDHCP", "Failed to set data for 'EnableDHCP'"},
        {"IPAddress", "REG_MULTI_SZ_ERROR"},
        {"SubnetMask", "REG_MULTI_SZ_ERROR"},
        {"DefaultGateway", "REG_MULTI_SZ_ERROR"},
        {"NameServer", "Failed to set data for 'NameServer'"}};
    for (const auto& [value, text] : cases) {
        SCOPED_TRACE(value);
        registry.store.refusedValues = {fakes::FakeRegistryStore::Fold(value)};
        devices.calls.clear();
        try {
            ApplyCardConfig(context, StaticRecord(0), cards[0]);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.what(), text);
        }
        EXPECT_TRUE(devices.calls.empty());
        EXPECT_FALSE(marks.cardBeingWritten);
        EXPECT_TRUE(prompts.shown.empty());
    }
}

TEST_F(ApplyEngineTest, KeyThatCannotBeCreatedFailsAtTheFirstValue) {
    registry.store.refusedKeys = {fakes::FakeRegistryStore::Fold(AdapterKeyPath(kCardIds[0]))};
    try {
        ApplyCardConfig(context, StaticRecord(0), cards[0]);
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'EnableDHCP'");
    }
}

TEST_F(ApplyEngineTest, NamedApplyChangesOnlyCardsThatAskForIt) {
    TCardConfig second = StaticRecord(1);
    Save(second);
    TCardConfig third = StaticRecord(2);
    third.ToConfig = false;
    Save(third);
    EXPECT_EQ(ApplyConfiguration(context, "office"), ApplyOutcome::Applied);
    EXPECT_FALSE(Touched(0));
    EXPECT_TRUE(Touched(1));
    EXPECT_FALSE(Touched(2));
    for (const std::string& call : devices.calls)
        if (call.rfind("params", 0) == 0 || call.rfind("call", 0) == 0)
            EXPECT_NE(call.find(" 1"), std::string::npos) << call;  // only the second card's device
    EXPECT_EQ(prompts.pumps, 3 + 2);  // before each card, and once per device walked
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_FALSE(marks.namedApplyRunning);
}

TEST_F(ApplyEngineTest, UnknownNameIsReportedAndNothingWritten) {
    Save(StaticRecord(0));
    EXPECT_EQ(ApplyConfiguration(context, "Home"), ApplyOutcome::NotFound);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "\rConfiguration \"Home\" does not exist.   \r\r");
    EXPECT_EQ(prompts.shown[0].caption, "Apply Failed: Home");
    EXPECT_EQ(prompts.shown[0].flags, kMbOk);
    EXPECT_TRUE(registry.store.calls.empty());
    EXPECT_FALSE(marks.namedApplyRunning);
}

TEST_F(ApplyEngineTest, DeviceErrorOnOneCardAndTheNextIsStillApplied) {
    Save(StaticRecord(0));
    Save(StaticRecord(1));
    devices.devices[0].instanceId = "GONE";
    EXPECT_EQ(ApplyConfiguration(context, "Office"), ApplyOutcome::CardFailed);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].caption, "Connection 0");
    EXPECT_TRUE(Touched(0));
    EXPECT_TRUE(Touched(1));
    EXPECT_EQ(devices.InstallerCalls(), 2);  // card 1 restarted
}

TEST_F(ApplyEngineTest, RefusedWriteEndsTheLoopLeavesLaterCardsAndClearsTheMarks) {
    Save(StaticRecord(0));
    Save(StaticRecord(1));
    registry.store.refusedValues = {fakes::FakeRegistryStore::Fold("SubnetMask")};
    EXPECT_THROW(ApplyConfiguration(context, "Office"), Error);
    EXPECT_TRUE(Touched(0));
    EXPECT_FALSE(Touched(1));
    EXPECT_EQ(devices.InstallerCalls(), 0);
    EXPECT_FALSE(marks.namedApplyRunning);
    EXPECT_FALSE(marks.cardBeingWritten);
    EXPECT_EQ(Data(AdapterKeyPath(kCardIds[0]), "IPAddress"), Bytes("10.0.0.2\0"
                                                                    "10.0.0.3\0",
                                                                    18));
}

TEST_F(ApplyEngineTest, SecondNamedApplyWhileOneRunsIsTurnedAwaySilently) {
    Save(StaticRecord(0));
    Save(StaticRecord(1));
    std::vector<ApplyOutcome> nested;
    prompts.onPump = [&] {
        if (nested.empty()) nested.push_back(ApplyConfiguration(context, "Office"));
    };
    EXPECT_EQ(ApplyConfiguration(context, "Office"), ApplyOutcome::Applied);
    EXPECT_EQ(nested, std::vector<ApplyOutcome>{ApplyOutcome::Ignored});
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(devices.InstallerCalls(), 4);  // two cards, each restarted once
}

TEST_F(ApplyEngineTest, CardsReplacedByAShorterListDuringTheLoop) {
    Save(StaticRecord(0));
    Save(StaticRecord(1));
    Save(StaticRecord(2));
    prompts.onPump = [&] { cards.resize(1); };  // the options dialog re-enumerates meanwhile
    EXPECT_EQ(ApplyConfiguration(context, "Office"), ApplyOutcome::Applied);
    EXPECT_TRUE(Touched(0));
    EXPECT_TRUE(Touched(1));
    EXPECT_TRUE(Touched(2));
}

TEST_F(ApplyEngineTest, ConfigurationWithNothingToChangeDoesNothing) {
    EXPECT_EQ(ApplyConfiguration(context, "Office"), ApplyOutcome::Applied);
    EXPECT_TRUE(registry.store.calls.empty());
    EXPECT_TRUE(prompts.shown.empty());
}

// Every card to be changed is taken before anything is written, with its device enabled or
// disabled; a hook that refuses then stops the apply before any write; what the apply left as it
// was is dropped afterwards.
TEST_F(ApplyEngineTest, TakesEveryCardBeforeTheFirstWriteAndDropsWhatStayedAsItWas) {
    Save(StaticRecord(1));
    Save(StaticRecord(2));
    devices.devices[2].status = 0;
    devices.devices[2].problem = 0x16;  // disabled
    TakenCards taken;
    context.taken = &taken;
    size_t takenFirst = 0;
    context.beforeFirstWrite = [&](const TakenCards& all) {
        takenFirst = all.size();
        EXPECT_FALSE(Touched(1) || Touched(2));
    };
    EXPECT_EQ(ApplyConfiguration(context, "Office"), ApplyOutcome::Applied);
    EXPECT_EQ(takenFirst, 2u);
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].card.CfgInstanceId, kCardIds[1]);
    EXPECT_EQ(taken[0].wasEnabled, true);
    EXPECT_EQ(taken[1].wasEnabled, false);
    EXPECT_TRUE(taken[0].written && taken[1].written);

    taken.clear();
    registry.store = {};
    context.beforeFirstWrite = [](const TakenCards&) { throw Error("Unable to write to X"); };
    EXPECT_THROW(ApplyConfiguration(context, "Office"), Error);
    EXPECT_FALSE(Touched(1) || Touched(2));
    context.beforeFirstWrite = nullptr;
    taken.clear();
    registry.store.refusedValues = {fakes::FakeRegistryStore::Fold("EnableDHCP")};
    EXPECT_THROW(ApplyConfiguration(context, "Office"), Error);
    EXPECT_EQ(taken.size(), 2u);
    DropUntouchedCards(registry, taken);  // refused at its first write, and never reached
    EXPECT_TRUE(taken.empty());
}

// A confirmed apply keeps its failures for later: no message box while the user may be cut off.
TEST_F(ApplyEngineTest, KeptFailuresAreShownOnlyWhenAsked) {
    Save(StaticRecord(0));
    Save(StaticRecord(1));
    devices.devices.erase(devices.devices.begin());  // card 0's device is gone
    ApplyFailures failures;
    context.failures = &failures;
    EXPECT_EQ(ApplyConfiguration(context, "Office"), ApplyOutcome::CardFailed);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_TRUE(Touched(1));  // the loop went on
    EXPECT_EQ(failures, (ApplyFailures{{"Apply Failed: Adapter 0 does not exist.", "Connection 0"}}));
}

TEST_F(ApplyEngineTest, RestoreBringsEachCardBackAndGoesOnPastOneThatFails) {
    for (int i = 0; i < 3; ++i) registry.store.SeedDword(AdapterKeyPath(kCardIds[i]), "EnableDHCP", 1);
    const auto before = registry.store.Keys();
    devices.devices[1].status = 0;  // disabled
    devices.devices[1].problem = 0x16;
    TakenCards taken;
    context.taken = &taken;
    for (int i = 0; i < 3; ++i) {
        TCardConfig r = StaticRecord(i);
        r.ToEnable = true;
        taken.push_back(TakeCard(context, r, cards[i]));
        ApplyCardConfig(context, r, cards[i]);
    }
    devices.calls.clear();
    registry.store.refusedKeys = {fakes::FakeRegistryStore::Fold(AdapterKeyPath(kCardIds[0]))};
    prompts.shown.clear();
    EXPECT_FALSE(RestoreCards(context, taken));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "\rRestore Failed: Failed to set data for 'EnableDHCP'   \r\r");
    EXPECT_EQ(prompts.shown[0].caption, "Connection 0");
    EXPECT_EQ(prompts.shown[0].flags, kMbOk);
    // Card 0's values failed, its device still comes back (restarted); card 1 is disabled
    // again, card 2 restarted.
    const std::vector<std::string> switched = [&] {
        std::vector<std::string> calls;
        for (const std::string& call : devices.calls)
            if (call.rfind("params", 0) == 0) calls.push_back(call);
        return calls;
    }();
    EXPECT_EQ(switched, (std::vector<std::string>{"params 0 disable", "params 0 enable",
                                                  "params 1 disable", "params 2 disable",
                                                  "params 2 enable"}));
    EXPECT_EQ(devices.devices[1].problem, 0x16u);
    for (int i = 1; i < 3; ++i) {
        EXPECT_EQ(registry.store.Find(AdapterKeyPath(kCardIds[i]))->values,
                  before.at(fakes::FakeRegistryStore::Fold(AdapterKeyPath(kCardIds[i]))).values);
    }
    EXPECT_FALSE(marks.cardBeingWritten);
}

// The device comes back enabled or disabled as it was, whatever it ran: an enabled one that did
// not run is not disabled, a disabled one is disabled again also when it does not run now.
TEST_F(ApplyEngineTest, RestoreBringsTheDeviceBackEnabledOrDisabledNotRunning) {
    devices.devices[0].status = 0;  // enabled, not running
    TakenCards taken{TakeCard(context, StaticRecord(0), cards[0])};
    devices.devices[0].status = kDnStarted;  // the apply started it
    ASSERT_TRUE(RestoreCards(context, taken));
    EXPECT_EQ(devices.devices[0].problem, 0u);  // restarted, still enabled
    devices.devices[1].problem = 0x16;
    taken = {TakeCard(context, StaticRecord(1), cards[1])};
    devices.devices[1].problem = 0;  // the apply enabled it; it did not start
    devices.calls.clear();
    ASSERT_TRUE(RestoreCards(context, taken));
    EXPECT_EQ(devices.devices[1].problem, 0x16u);
}

}  // namespace
}  // namespace vt
