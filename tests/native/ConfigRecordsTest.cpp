// Loading and saving per-card records: defaults, counts, the no-address spellings, shrunk lists,
// refused saves.
#include <gtest/gtest.h>

#include "core/ConfigRecords.h"
#include "base/Error.h"
#include "tests/fakes/FakeFileStore.h"

namespace vt {
namespace {

constexpr char kPath[] = "C:\\Tools\\LocalSettings.Ini";
constexpr char kKey[] = "{0A1B2C3D-0000-4000-8000-000000000001}";
constexpr char kCard[] = "{CA4D0000-0000-4000-8000-0000000000AA}";
const std::string kSection = std::string(kKey) + kCard;

class ConfigRecordsTest : public ::testing::Test {
  protected:
    fakes::FakeFileStore store;
    SettingsFile settings{store, kPath};
    void Given(const std::string& cardSection) {
        store.Put(kPath, "[FriendlyName]\r\nOffice=" + std::string(kKey) + "\r\n[" + kSection +
                             "]\r\n" + cardSection);
    }
};

TEST_F(ConfigRecordsTest, SectionNameIsKeyThenCardId) {
    EXPECT_EQ(CardSectionName(kKey, kCard), kSection);
    EXPECT_EQ(CardSectionName(kKey, kCard).size(), 76u);
}

TEST_F(ConfigRecordsTest, NeverSavedRecordLoadsTheDefaults) {
    Given("");
    const TCardConfig r = LoadCardConfig(settings, "Office", kCard);
    EXPECT_EQ(r.ConfigName, "Office");
    EXPECT_EQ(r.ConfigKey, kKey);
    EXPECT_EQ(r.CardId, kCard);
    EXPECT_FALSE(r.Modified);
    EXPECT_FALSE(r.ToConfig);
    EXPECT_TRUE(r.ToEnable);
    EXPECT_TRUE(r.AutoDHCP);
    EXPECT_TRUE(r.AutoDNS);
    for (const TAddrType* list : {&r.IPAddr, &r.SubnetMask, &r.DNSAddr, &r.Gateway})
        EXPECT_EQ(*list, TAddrType{""});
}

TEST_F(ConfigRecordsTest, UnknownNameGivesEmptyKeyAndDefaults) {
    Given("ToConfig=1\r\n");
    const TCardConfig r = LoadCardConfig(settings, "Home", kCard);
    EXPECT_EQ(r.ConfigKey, "");
    EXPECT_FALSE(r.ToConfig);
}

TEST_F(ConfigRecordsTest, NameAndKeysFoundInOtherLetterCase) {
    Given(
        "toconfig=1\r\nTOENABLE=0\r\nautodhcp=0\r\nAutoDns=0\r\nipcount=1\r\nipaddr0=10.0.0.5\r\n");
    const TCardConfig r = LoadCardConfig(settings, "OFFICE", kCard);
    EXPECT_EQ(r.ConfigName, "OFFICE");
    EXPECT_TRUE(r.ToConfig);
    EXPECT_FALSE(r.ToEnable);
    EXPECT_FALSE(r.AutoDHCP);
    EXPECT_FALSE(r.AutoDNS);
    EXPECT_EQ(r.IPAddr, TAddrType{"10.0.0.5"});
}

TEST_F(ConfigRecordsTest, BothNoAddressSpellingsReadAsEmpty) {
    Given(
        "IPCount=3\r\nIPAddr0=10.0.0.5\r\nIPAddr1=0.0.0.0\r\nIPAddr2=...\r\n"
        "SubnetMask0=255.0.0.0\r\nSubnetMask1= ... \r\nDNSCount=1\r\nDNSAddr0=0.0.0.0.\r\n");
    const TCardConfig r = LoadCardConfig(settings, "Office", kCard);
    EXPECT_EQ(r.IPAddr, (TAddrType{"10.0.0.5", "", ""}));
    EXPECT_EQ(r.SubnetMask, (TAddrType{"255.0.0.0", "", ""}));
    EXPECT_EQ(r.DNSAddr, TAddrType{"0.0.0.0."});  // only the exact spellings mean "no address"
}

TEST_F(ConfigRecordsTest, CountsShapeTheLists) {
    Given("IPCount=3\r\nIPAddr0=10.0.0.5\r\nDNSCount=0\r\nDNSAddr0=1.1.1.1\r\nGatewayCount=-4\r\n");
    const TCardConfig r = LoadCardConfig(settings, "Office", kCard);
    EXPECT_EQ(r.IPAddr, (TAddrType{"10.0.0.5", "", ""}));
    EXPECT_EQ(r.SubnetMask, (TAddrType{"", "", ""}));
    EXPECT_TRUE(r.DNSAddr.empty());
    EXPECT_TRUE(r.Gateway.empty());  // a negative count reads as 0
}

// One limit for reading and writing: a list the next load would cut is never saved.
TEST_F(ConfigRecordsTest, HugeCountIsCappedNotAllocatedAndNoLongerListIsSaved) {
    Given("IPCount=2000000000\r\n");
    TCardConfig record = LoadCardConfig(settings, "Office", kCard);
    EXPECT_EQ(record.IPAddr.size(), static_cast<size_t>(kMaxAddrListEntries));
    const std::string before = store.Content(kPath);
    record.IPAddr.push_back("10.0.0.1");
    record.SubnetMask.push_back("255.0.0.0");
    EXPECT_THROW(SaveCardConfig(settings, record), Error);
    EXPECT_EQ(store.Content(kPath), before);
}

// A record is never written for a configuration the file no longer names.
TEST_F(ConfigRecordsTest, NoRecordIsSavedForAConfigurationTheFileLost) {
    TCardConfig record = LoadCardConfig(settings, "Office", kCard);
    const std::string before = store.Content(kPath);
    record.ConfigKey = "{GONE}";
    EXPECT_THROW(SaveCardChanges(settings, record, record, [] { return true; }), Error);
    EXPECT_THROW(WriteToConfig(settings, "{GONE}", kCard, true), Error);
    EXPECT_EQ(store.Content(kPath), before);
}

TEST_F(ConfigRecordsTest, SaveWritesTheKeysInOrder) {
    TCardConfig r;
    r.ConfigName = "not written";
    r.ConfigKey = kKey;
    r.CardId = kCard;
    r.Modified = true;
    r.ToConfig = true;
    r.AutoDHCP = false;
    r.IPAddr = {"10.0.0.5", ""};
    r.SubnetMask = {"255.255.255.0", ""};
    r.Gateway = {"10.0.0.1"};
    r.DNSAddr = {"10.0.0.2", ""};
    SaveCardConfig(settings, r);
    EXPECT_EQ(store.Content(kPath),
              "[" + kSection +
                  "]\r\nToConfig=1\r\nToEnable=1\r\nAutoDHCP=0\r\nAutoDNS=1\r\nIPCount=2\r\n"
                  "IPAddr0=10.0.0.5\r\nSubnetMask0=255.255.255.0\r\nIPAddr1=\r\nSubnetMask1=\r\n"
                  "GatewayCount=1\r\nGateway0=10.0.0.1\r\nDNSCount=2\r\nDNSAddr0=10.0.0.2\r\n"
                  "DNSAddr1=\r\n");
    EXPECT_EQ(store.replaces, 1);  // one atomic rewrite
}

TEST_F(ConfigRecordsTest, SaveThenLoadGivesTheRecordBack) {
    Given("IPCount=2\r\nIPAddr0=10.0.0.5\r\nIPAddr1=0.0.0.0\r\n");
    TCardConfig r = LoadCardConfig(settings, "Office", kCard);
    ASSERT_EQ(r.IPAddr, (TAddrType{"10.0.0.5", ""}));
    SaveCardConfig(settings, r);
    EXPECT_EQ(settings.ReadString(kSection, "IPAddr1", "x"), "");
    EXPECT_EQ(settings.ReadInteger(kSection, "IPCount", 0), 2);
    const TCardConfig again = LoadCardConfig(settings, "Office", kCard);
    EXPECT_EQ(again.IPAddr, r.IPAddr);
    EXPECT_EQ(again.SubnetMask, r.SubnetMask);
    EXPECT_EQ(again.AutoDHCP, r.AutoDHCP);
}

TEST_F(ConfigRecordsTest, ShrunkListLeavesOldKeysUnread) {
    Given(
        "IPCount=2\r\nIPAddr0=10.0.0.5\r\nSubnetMask0=255.0.0.0\r\nIPAddr1=10.0.0.6\r\n"
        "SubnetMask1=255.0.0.0\r\n");
    TCardConfig r = LoadCardConfig(settings, "Office", kCard);
    r.IPAddr.pop_back();
    r.SubnetMask.pop_back();
    SaveCardConfig(settings, r);
    EXPECT_EQ(settings.ReadInteger(kSection, "IPCount", 0), 1);
    EXPECT_EQ(settings.ReadString(kSection, "IPAddr1", ""), "10.0.0.6");
    EXPECT_EQ(settings.ReadString(kSection, "SubnetMask1", ""), "255.0.0.0");
    EXPECT_EQ(LoadCardConfig(settings, "Office", kCard).IPAddr, TAddrType{"10.0.0.5"});
}

TEST_F(ConfigRecordsTest, EmptyDnsListWritesCountZeroAndNoAddress) {
    Given("");
    TCardConfig r = LoadCardConfig(settings, "Office", kCard);
    r.DNSAddr.clear();
    SaveCardConfig(settings, r);
    EXPECT_EQ(settings.ReadInteger(kSection, "DNSCount", 9), 0);
    EXPECT_FALSE(settings.ValueExists(kSection, "DNSAddr0"));
    EXPECT_TRUE(LoadCardConfig(settings, "Office", kCard).DNSAddr.empty());
}

TEST_F(ConfigRecordsTest, ShortMaskListIsSavedWithEmptyMasks) {
    Given("");
    TCardConfig r = LoadCardConfig(settings, "Office", kCard);
    r.IPAddr = {"10.0.0.5", "10.0.0.6"};
    r.SubnetMask = {"255.0.0.0"};
    SaveCardConfig(settings, r);
    EXPECT_EQ(LoadCardConfig(settings, "Office", kCard).SubnetMask, (TAddrType{"255.0.0.0", ""}));
}

TEST_F(ConfigRecordsTest, RefusedSaveAtEveryStepLeavesTheRecordAsItWas) {
    Given("ToConfig=0\r\nIPCount=1\r\nIPAddr0=10.0.0.5\r\n");
    const std::string before = store.Content(kPath);
    TCardConfig r = LoadCardConfig(settings, "Office", kCard);
    r.ToConfig = true;
    r.IPAddr = {"192.168.1.9"};
    // The save reaches the disk through the writers' lock and then one replacement.
    for (int step = 0; step < 2; ++step) {
        store.refuseLock = step == 0;
        store.refuseReplace = step == 1;
        EXPECT_THROW(SaveCardConfig(settings, r), Error) << "step " << step;
        EXPECT_EQ(store.Content(kPath), before) << "step " << step;
        EXPECT_FALSE(LoadCardConfig(settings, "Office", kCard).ToConfig);
    }
    // An entry that cannot be stored stops the save before anything reaches the disk.
    store.refuseReplace = false;
    r.Gateway = {"10.0.0.1\r\n[Options]"};
    EXPECT_THROW(SaveCardConfig(settings, r), Error);
    EXPECT_EQ(store.Content(kPath), before);
}

TEST_F(ConfigRecordsTest, SaveKeepsAnotherProcessesEditMadeMeanwhile) {
    Given("");
    TCardConfig r = LoadCardConfig(settings, "Office", kCard);
    store.Put(kPath, store.Content(kPath) + "[Configurations]\r\n{NEW}=Added elsewhere\r\n");
    r.ToConfig = true;
    SaveCardConfig(settings, r);
    EXPECT_EQ(settings.ReadString("Configurations", "{NEW}", ""), "Added elsewhere");
    EXPECT_TRUE(LoadCardConfig(settings, "Office", kCard).ToConfig);
}

}  // namespace
}  // namespace vt
