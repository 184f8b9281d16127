// TCP/IP value helpers: joining, the multi-string byte layouts, reading them back, DHCP names.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "net/TcpipRegistry.h"
#include "tests/fakes/FakeRegistry.h"

namespace vt {
namespace {

using Bytes = std::string;

TEST(TcpipRegistryTest, KeyPaths) {
    EXPECT_EQ(AdapterKeyPath("{G}"), "SYSTEM\\CurrentControlSet\\Services\\{G}\\Parameters\\Tcpip");
    EXPECT_EQ(InterfaceKeyPath("{G}"),
              "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{G}");
}

TEST(TcpipRegistryTest, JoinSkipsEmptyEntries) {
    EXPECT_EQ(JoinAddrList({}, ","), "");
    EXPECT_EQ(JoinAddrList({"", ""}, ","), "");
    EXPECT_EQ(JoinAddrList({"192.168.1.1", ""}, ","), "192.168.1.1");
    EXPECT_EQ(JoinAddrList({"", "10.0.0.2", "", "10.0.0.3", ""}, ","), "10.0.0.2,10.0.0.3");
    EXPECT_EQ(JoinAddrList({"10.0.0.2", "10.0.0.3"}, Bytes(1, '\0')), Bytes("10.0.0.2\0"
                                                                            "10.0.0.3",
                                                                            17));
}

TEST(TcpipRegistryTest, MultiStringLayouts) {
    fakes::FakeRegistryFactory factory;
    auto key = factory.Create();
    ASSERT_TRUE(key->OpenKey("K", true));
    WriteMultiSz(*key, "IPAddress", JoinAddrList({"10.0.0.2", "10.0.0.3"}, Bytes(1, '\0')));
    WriteMultiSz(*key, "Empty", "");
    WriteMultiSz(*key, "DefaultGateway", Bytes("10.0.0.1\0", 9));
    WriteMultiSz(*key, "NoGateway", Bytes(1, '\0'));
    EXPECT_EQ(factory.store.Get("K", "IPAddress")->data, Bytes("10.0.0.2\0"
                                                               "10.0.0.3\0",
                                                               18));
    EXPECT_EQ(factory.store.Get("K", "IPAddress")->type, kRegMultiSz);
    EXPECT_EQ(factory.store.Get("K", "Empty")->data, Bytes(1, '\0'));
    EXPECT_EQ(factory.store.Get("K", "DefaultGateway")->data, Bytes("10.0.0.1\0\0", 10));
    EXPECT_EQ(factory.store.Get("K", "NoGateway")->data, Bytes(2, '\0'));
}

TEST(TcpipRegistryTest, RefusedMultiStringWrite) {
    fakes::FakeRegistryFactory factory;
    factory.store.refusedValues.insert("IPADDRESS");
    auto key = factory.Create();
    ASSERT_TRUE(key->OpenKey("K", true));
    try {
        WriteMultiSz(*key, "IPAddress", "1.2.3.4");
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "REG_MULTI_SZ_ERROR");
    }
    key->CloseKey();  // no key open: refused too
    EXPECT_THROW(WriteMultiSz(*key, "Other", ""), Error);
}

TEST(TcpipRegistryTest, ReadTurnsInnerNulsIntoLineBreaksAndDropsTheLastByte) {
    fakes::FakeRegistryFactory factory;
    factory.store.Seed("K", "Two", kRegMultiSz, Bytes("a\0b\0\0", 5));
    factory.store.Seed("K", "Ours", kRegMultiSz, Bytes("a\0b\0", 4));
    factory.store.SeedString("K", "Plain", "a,b");
    factory.store.Seed("K", "Zero", kRegMultiSz, "");
    factory.store.Seed("K", "Long", kRegMultiSz, Bytes(300, 'x') + Bytes(1, '\0'));
    auto key = factory.Create();
    ASSERT_TRUE(key->OpenKey("K", false));
    EXPECT_EQ(ReadMultiSz(*key, "Two"), "a\r\nb\r\n");
    EXPECT_EQ(ReadMultiSz(*key, "Ours"), "a\r\nb");
    EXPECT_EQ(ReadMultiSz(*key, "Plain"), "a,b");
    EXPECT_EQ(ReadMultiSz(*key, "Zero"), "");
    EXPECT_EQ(ReadMultiSz(*key, "Missing"), "");
    EXPECT_EQ(ReadMultiSz(*key, "Long"), Bytes(300, 'x'));
}

TEST(TcpipRegistryTest, DhcpValueNames) {
    EXPECT_EQ(DhcpValueName(true, "NameServer"), "DHCPNameServer");
    EXPECT_EQ(DhcpValueName(false, "NameServer"), "NameServer");
}

// What the card held before the write: of other types than those written, and partly missing.
TEST(TcpipRegistryTest, TakenValuesComeBackByteForByteAndMissingOnesGoAgain) {
    fakes::FakeRegistryFactory factory;
    fakes::FakeRegistryStore& store = factory.store;
    const std::string adapter = AdapterKeyPath("{G}"), interface = InterfaceKeyPath("{G}");
    store.Seed(adapter, "EnableDHCP", kRegSz, Bytes("1\0", 2));
    store.Seed(adapter, "IPAddress", 3 /* REG_BINARY */, Bytes("\x0a\0\0\x02", 4));
    store.SeedDword(interface, "EnableDHCP", 1);
    store.Seed(interface, "IPAddress", kRegMultiSz, Bytes("192.168.1.5\0\0", 13));
    store.SeedString(interface, "NameServer", "");
    store.SeedString(interface, "Domain", "untouched");
    const auto before = store.Keys();
    TcpipValues values;
    values.enableDhcp = true;
    values.ipAddresses = values.subnetMasks = {"0.0.0.0"};
    values.nameServers = {"10.0.0.53"};
    const TcpipSnapshot taken = TakeTcpipValues(factory, "{G}", values);
    EXPECT_FALSE(TcpipValuesChanged(factory, taken));
    WriteTcpipValues(factory, "{G}", values);
    ASSERT_NE(store.Keys(), before);
    EXPECT_TRUE(TcpipValuesChanged(factory, taken));
    RestoreTcpipValues(factory, taken);
    EXPECT_EQ(store.Keys(), before);
    EXPECT_FALSE(TcpipValuesChanged(factory, taken));
}

TEST(TcpipRegistryTest, RestoreRefusedMidwayRaisesAndKeepsWhatItWroteBefore) {
    fakes::FakeRegistryFactory factory;
    fakes::FakeRegistryStore& store = factory.store;
    const std::string adapter = AdapterKeyPath("{G}");
    store.SeedDword(adapter, "EnableDHCP", 1);
    store.SeedString(adapter, "SubnetMask", "old");
    TcpipValues values;
    values.enableDhcp = false;
    const TcpipSnapshot taken = TakeTcpipValues(factory, "{G}", values);
    WriteTcpipValues(factory, "{G}", values);
    store.refusedValues = {"SUBNETMASK"};
    try {
        RestoreTcpipValues(factory, taken);
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'SubnetMask'");
    }
    EXPECT_EQ(store.Get(adapter, "EnableDHCP")->data, Bytes("\1\0\0\0", 4));
    EXPECT_EQ(store.Get(adapter, "IPAddress"), nullptr);  // did not exist: deleted again
    store.refusedValues = {"DEFAULTGATEWAY"};  // a delete refused
    try {
        RestoreTcpipValues(factory, taken);
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Failed to delete 'DefaultGateway'");
    }
}

}  // namespace
}  // namespace vt
