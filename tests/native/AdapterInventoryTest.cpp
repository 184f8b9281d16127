// Which adapters become cards, with what fields, in what order, and which registry faults end the
// list.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "net/AdapterInventory.h"
#include "tests/fakes/FakeRegistry.h"

namespace vt {
namespace {

constexpr char kLan[] = "{1A2B3C4D-0000-4000-8000-00000000000A}";
constexpr char kWifi[] = "{1A2B3C4D-0000-4000-8000-00000000000B}";
constexpr char kMiniport[] = "{1A2B3C4D-0000-4000-8000-00000000000C}";

class AdapterInventoryTest : public ::testing::Test {
  protected:
    fakes::FakeRegistryFactory registry;
    fakes::FakeRegistryStore& store = registry.store;

    // An adapter's class key, interfaces key and (when `connection`) its connection key.
    void Adapter(const std::string& subkey, const std::string& id, const std::string& lowerRange,
                 bool connection = true) {
        const std::string classKey = std::string(kAdapterClassKey) + "\\" + subkey;
        store.SeedString(classKey, "NetCfgInstanceId", id);
        store.SeedString(classKey, "DriverDesc", "Driver " + subkey);
        store.SeedString(classKey, "ProviderName", "Provider " + subkey);
        if (!lowerRange.empty())
            store.SeedString(classKey + "\\Ndi\\Interfaces", "LowerRange", lowerRange);
        if (connection) store.SeedString(ConnectionKeyPath(id), "Name", "Connection " + subkey);
    }
    std::vector<std::string> Ids(const TCardList& cards) {
        std::vector<std::string> ids;
        for (const TACard& card : cards) ids.push_back(card.CfgInstanceId);
        return ids;
    }
};

TEST(NormalizeInstanceIdTest, DropsAmpersandsAndUpperCasesAsciiOnly) {
    EXPECT_EQ(NormalizeInstanceId("pci\\ven_10ec&dev_8139\\4&1f7dbc9f&0&40f0"),
              "PCI\\VEN_10ECDEV_8139\\41F7DBC9F040F0");
    EXPECT_EQ(NormalizeInstanceId(""), "");
    EXPECT_EQ(NormalizeInstanceId("root\\net\\\xe9&0001"),
              "ROOT\\NET\\\xe9"
              "0001");
}

TEST_F(AdapterInventoryTest, ReadsEveryFieldOfAnAdmittedCard) {
    Adapter("0007", kWifi, "ndis5,Ethernet,wlan");
    store.SeedDword(ConnectionKeyPath(kWifi), "MediaSubType", 2);
    store.SeedDword(ConnectionKeyPath(kWifi), "ShowIcon", 1);
    store.SeedString(ConnectionKeyPath(kWifi), "PnpInstanceID", "pci\\ven_8086&dev_4222\\4&1&0");
    const TCardList cards = EnumerateCards(registry, "");
    ASSERT_EQ(cards.size(), 1u);
    const TACard& card = cards[0];
    EXPECT_EQ(card.CfgInstanceId, kWifi);
    EXPECT_EQ(card.MediaSubType, 2);
    EXPECT_EQ(card.PnpInstanceId, "PCI\\VEN_8086DEV_4222\\410");
    EXPECT_EQ(card.DriverDesc, "Driver 0007");
    EXPECT_EQ(card.ConnectionName, "Connection 0007");
    EXPECT_TRUE(card.ShowIcon);
    EXPECT_EQ(card.ProviderName, "Provider 0007");
    EXPECT_EQ(card.LowerRange, "NDIS5,ETHERNET,WLAN");
}

TEST_F(AdapterInventoryTest, DefaultRuleWantsEthernetInTheLowerRange) {
    Adapter("0000", "{A}", "ethernet");
    Adapter("0001", "{B}", "ndis5,EtherNet");
    Adapter("0002", "{C}", "ndis5,wan");
    Adapter("0003", "{D}", "");  // no interfaces key
    EXPECT_EQ(Ids(EnumerateCards(registry, "")), (std::vector<std::string>{"{A}", "{B}"}));
}

TEST_F(AdapterInventoryTest, FilterMatchesIdsInEitherLetterCaseWhateverTheLowerRange) {
    const std::string upper = "{1A2B3C4D-0000-4000-8000-00000000000A}";
    const std::string lower = "{1a2b3c4d-0000-4000-8000-00000000000b}";
    Adapter("0000", upper, "wan");
    Adapter("0001", lower, "");
    Adapter("0002", "{OTHER}", "ethernet");
    EXPECT_EQ(Ids(EnumerateCards(registry, "{1a2b3c4d-0000-4000-8000-00000000000a},")),
              std::vector<std::string>{upper});
    EXPECT_EQ(Ids(EnumerateCards(registry, "{1A2B3C4D-0000-4000-8000-00000000000B},")),
              std::vector<std::string>{lower});
    EXPECT_TRUE(EnumerateCards(registry, "{NOBODY},").empty());
}

TEST_F(AdapterInventoryTest, AdapterWithoutConnectionKeyIsNeverListed) {
    Adapter("0000", kMiniport, "ethernet", false);
    Adapter("0001", kLan, "ethernet");
    EXPECT_EQ(Ids(EnumerateCards(registry, "")), std::vector<std::string>{kLan});
    EXPECT_TRUE(EnumerateCards(registry, std::string(kMiniport) + ",").empty());
}

TEST_F(AdapterInventoryTest, KeysWithoutInstanceIdAreSkipped) {
    store.SeedString(std::string(kAdapterClassKey) + "\\Properties", "Other", "x");
    Adapter("0001", kLan, "ethernet");
    EXPECT_EQ(Ids(EnumerateCards(registry, "")), std::vector<std::string>{kLan});
}

TEST_F(AdapterInventoryTest, CardsKeepTheRegistrysSubkeyOrder) {
    Adapter("0011", "{Z}", "ethernet");
    Adapter("0002", "{A}", "ethernet");
    Adapter("0007", "{M}", "ethernet");
    EXPECT_EQ(Ids(EnumerateCards(registry, "")), (std::vector<std::string>{"{Z}", "{A}", "{M}"}));
}

TEST_F(AdapterInventoryTest, MediaSubTypeAndShowIconRules) {
    const uint32_t values[] = {0, 1, 2, 3};
    for (uint32_t v : values) {
        const std::string id = "{V" + std::to_string(v) + "}";
        Adapter("000" + std::to_string(v), id, "ethernet");
        store.SeedDword(ConnectionKeyPath(id), "MediaSubType", v);
        store.SeedDword(ConnectionKeyPath(id), "ShowIcon", v);
    }
    Adapter("0009", "{MISSING}", "ethernet");
    const TCardList cards = EnumerateCards(registry, "");
    ASSERT_EQ(cards.size(), 5u);
    EXPECT_EQ(cards[0].MediaSubType, 1);
    EXPECT_EQ(cards[1].MediaSubType, 1);
    EXPECT_EQ(cards[2].MediaSubType, 2);
    EXPECT_EQ(cards[3].MediaSubType, 1);
    EXPECT_EQ(cards[4].MediaSubType, 1);
    EXPECT_FALSE(cards[0].ShowIcon);
    EXPECT_TRUE(cards[1].ShowIcon);
    EXPECT_FALSE(cards[2].ShowIcon);
    EXPECT_FALSE(cards[4].ShowIcon);
    EXPECT_EQ(cards[4].PnpInstanceId, "");
    EXPECT_EQ(cards[4].ConnectionName, "Connection 0009");
}

TEST_F(AdapterInventoryTest, ValueOfTheWrongTypeEndsTheEnumeration) {
    Adapter("0000", kLan, "ethernet");
    store.SeedString(ConnectionKeyPath(kLan), "MediaSubType", "2");
    EXPECT_THROW(
        {
            try {
                EnumerateCards(registry, "");
            } catch (const Error& e) {
                EXPECT_STREQ(e.what(), "Invalid data type for 'MediaSubType'");
                throw;
            }
        },
        Error);
    store.SeedDword(ConnectionKeyPath(kLan), "MediaSubType", 2);
    store.SeedDword(std::string(kAdapterClassKey) + "\\0000", "DriverDesc", 5);
    EXPECT_THROW(EnumerateCards(registry, ""), Error);
}

TEST_F(AdapterInventoryTest, KeysThatCannotBeOpenedCountAsMissing) {
    Adapter("0000", kLan, "ethernet");
    Adapter("0001", kWifi, "ethernet");
    store.refusedKeys.insert(
        fakes::FakeRegistryStore::Fold(std::string(kAdapterClassKey) + "\\0000"));
    EXPECT_EQ(Ids(EnumerateCards(registry, "")), std::vector<std::string>{kWifi});
    store.refusedKeys.insert(fakes::FakeRegistryStore::Fold(kAdapterClassKey));
    EXPECT_TRUE(EnumerateCards(registry, "").empty());  // a user without the rights
}

TEST_F(AdapterInventoryTest, KeysAreOnlyOpenedNeverCreated) {
    Adapter("0000", kLan, "");
    EnumerateCards(registry, "");
    for (const std::string& call : store.calls)
        EXPECT_EQ(call.rfind("create", 0), std::string::npos) << call;
    EXPECT_EQ(store.Find(std::string(kAdapterClassKey) + "\\0000\\Ndi\\Interfaces"), nullptr);
}

}  // namespace
}  // namespace vt
