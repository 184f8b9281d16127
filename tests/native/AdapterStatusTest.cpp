// The status snapshot: one entry per listed adapter, the second call with the reported size,
// formatting.
#include <gtest/gtest.h>

#include "net/AdapterStatus.h"
#include "tests/fakes/FakeIpHelper.h"

namespace vt {
namespace {

AdapterRecord Adapter(uint32_t index, const std::string& name) {
    AdapterRecord a;
    a.adapterName = name;
    a.description = "Adapter " + std::to_string(index);
    a.address = {0x00, 0x0C, 0x29, 0x3A, 0x4B, 0x5C};
    a.index = index;
    a.dhcpEnabled = 1;
    a.ipAddressList = {{"192.168.1.5", "255.255.255.0"}, {"10.0.0.7", "255.0.0.0"}};
    a.gatewayList = {{"192.168.1.1", ""}};
    a.dhcpServer = {{"192.168.1.1", "255.255.255.255"}};
    return a;
}

TEST(FormatTest, MacAddress) {
    const uint8_t bytes[] = {0x00, 0x0C, 0x29, 0x3A, 0x4B, 0x5C, 0xFF, 0xEE};
    EXPECT_EQ(FormatMacAddress(bytes, 6), "00-0C-29-3A-4B-5C");
    EXPECT_EQ(FormatMacAddress(bytes, 8), "00-0C-29-3A-4B-5C-FF-EE");
    EXPECT_EQ(FormatMacAddress(bytes, 0), "");
}

TEST(FormatTest, AddressListsEndPairsWithCarriageReturns) {
    EXPECT_EQ(FormatAddrList({{"192.168.1.5", "255.255.255.0"}, {"10.0.0.7", "255.0.0.0"}}),
              "192.168.1.5/255.255.255.0\r10.0.0.7/255.0.0.0\r");
    EXPECT_EQ(FormatAddrList({{"", ""}}), "");
    EXPECT_EQ(FormatAddrList({{"0.0.0.0", ""}}), "0.0.0.0");
    EXPECT_EQ(FormatAddrList({{"10.0.0.1", ""}, {"10.0.0.2", ""}}), "10.0.0.110.0.0.2");
    EXPECT_EQ(FormatAddrList({}), "");
}

TEST(AdapterStatusTest, OneEntryPerAdapterWithItsInterfaceRow) {
    fakes::FakeIpHelper ip;
    ip.adapters = {Adapter(4, "{A}"), Adapter(7, "{B}")};
    ip.adapters[1].dhcpEnabled = 0;
    ip.adapters[1].address.clear();
    ip.rows[4] = {6, 5, 0};
    ip.rows[7] = {71, 2, 0};
    TAdapterStatuses list;
    GetAdapterStatuses(ip, list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].AdapterName, "{A}");
    EXPECT_EQ(list[0].IfIndex, 4u);
    EXPECT_EQ(list[0].IfType, 6u);
    EXPECT_EQ(list[0].OperStatus, kOperStatusOperational);
    EXPECT_EQ(list[0].Description, "Adapter 4");
    EXPECT_EQ(list[0].MacAddress, "00-0C-29-3A-4B-5C");
    EXPECT_EQ(list[0].IpAddresses, "192.168.1.5/255.255.255.0\r10.0.0.7/255.0.0.0\r");
    EXPECT_TRUE(list[0].DhcpEnabled);
    EXPECT_EQ(list[0].Gateways, "192.168.1.1");
    EXPECT_EQ(list[0].DhcpServers, "192.168.1.1/255.255.255.255\r");
    EXPECT_EQ(list[1].IfType, 71u);
    EXPECT_EQ(list[1].OperStatus, 2u);
    EXPECT_FALSE(list[1].DhcpEnabled);
    EXPECT_EQ(list[1].MacAddress, "");
    EXPECT_EQ(ip.bufferSizes, std::vector<uint32_t>{2048});
    EXPECT_EQ(ip.ifEntryIndexes, (std::vector<uint32_t>{4, 7}));
}

TEST(AdapterStatusTest, DhcpFlagIsTrueOnlyForOne) {
    fakes::FakeIpHelper ip;
    ip.adapters = {Adapter(1, "{A}")};
    ip.adapters[0].dhcpEnabled = 2;
    TAdapterStatuses list;
    GetAdapterStatuses(ip, list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_FALSE(list[0].DhcpEnabled);
}

TEST(AdapterStatusTest, FailedInterfaceRowLeavesTypeAndStateZero) {
    fakes::FakeIpHelper ip;
    ip.adapters = {Adapter(4, "{A}")};
    TAdapterStatuses list;
    GetAdapterStatuses(ip, list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].IfType, 0u);
    EXPECT_EQ(list[0].OperStatus, 0u);
}

TEST(AdapterStatusTest, MoreAdaptersThanTheFirstBufferHoldsTakeASecondCallWithTheReportedSize) {
    fakes::FakeIpHelper ip;
    for (uint32_t i = 1; i <= 5; ++i)
        ip.adapters.push_back(Adapter(i, "{" + std::to_string(i) + "}"));
    TAdapterStatuses list;
    GetAdapterStatuses(ip, list);
    EXPECT_EQ(ip.bufferSizes, (std::vector<uint32_t>{2048, 3200}));
    EXPECT_EQ(list.size(), 5u);
}

TEST(AdapterStatusTest, FailedQueryGivesNoEntriesAndAppendsToWhatIsThere) {
    fakes::FakeIpHelper ip;
    TAdapterStatuses list(1);
    GetAdapterStatuses(ip, list);  // no adapters at all
    EXPECT_EQ(list.size(), 1u);
    ip.adapters = {Adapter(4, "{A}")};
    ip.failWith = 87;
    GetAdapterStatuses(ip, list);
    EXPECT_EQ(list.size(), 1u);
    ip.failWith = 0;
    GetAdapterStatuses(ip, list);
    EXPECT_EQ(list.size(), 2u);
}

}  // namespace
}  // namespace vt
