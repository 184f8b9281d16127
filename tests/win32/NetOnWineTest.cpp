// The adapter layer on Wine's real registry, SetupAPI and IP Helper, with adapters and devices
// seeded here.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include "base/Error.h"
#include "net/AdapterInventory.h"
#include "net/AdapterStatus.h"
#include "net/DeviceControl.h"
#include "net/TcpipRegistry.h"
#include "platform/win32/Win32Devices.h"
#include "platform/win32/Win32IpHelper.h"
#include "platform/win32/Win32Prompts.h"
#include "platform/win32/Win32Registry.h"
#include "tests/win32/RegistrySeed.h"

namespace vt::win32 {
namespace {

using vt::testing::DeleteTree;
using vt::testing::RawValue;
using vt::testing::SeedNetDevice;
using vt::testing::SetDword;
using vt::testing::SetString;

const char* const kIds[] = {"{7E570001-0000-4000-8000-0000000000A1}",
                            "{7E570002-0000-4000-8000-0000000000A2}",
                            "{7e570003-0000-4000-8000-0000000000a3}"};
const char* const kSubkeys[] = {"9001", "9002", "9003"};

// Three adapters: two with ethernet in their lower range, one wireless, plus one hidden
// miniport without a connection key.
class NetOnWineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Clean();
        for (int i = 0; i < 3; ++i) {
            const std::string classKey = std::string(kAdapterClassKey) + "\\" + kSubkeys[i];
            SetString(classKey, "NetCfgInstanceId", kIds[i]);
            SetString(classKey, "DriverDesc", std::string("Seeded adapter ") + kSubkeys[i]);
            SetString(classKey, "ProviderName", "Velmora Tests");
            SetString(classKey + "\\Ndi\\Interfaces", "LowerRange",
                      i == 1 ? "wlan" : "ndis5,ethernet");
            const std::string connection = ConnectionKeyPath(kIds[i]);
            SetString(connection, "Name", std::string("Connection ") + kSubkeys[i]);
            SetString(connection, "PnpInstanceID", std::string("ROOT\\NET\\") + kSubkeys[i]);
            SetDword(connection, "MediaSubType", i == 1 ? 2 : 1);
            SetDword(connection, "ShowIcon", 1);
        }
        const std::string hidden = std::string(kAdapterClassKey) + "\\9004";
        SetString(hidden, "NetCfgInstanceId", "{7E570004-0000-4000-8000-0000000000A4}");
        SetString(hidden + "\\Ndi\\Interfaces", "LowerRange", "ethernet");
    }
    void TearDown() override { Clean(); }
    static void Clean() {
        for (int i = 0; i < 3; ++i) vt::testing::RemoveAdapter(kSubkeys[i], kIds[i]);
        DeleteTree(std::string(kAdapterClassKey) + "\\9004");
        DeleteTree(std::string(vt::testing::kEnumNetKey) + "\\9001");
        DeleteTree(std::string(vt::testing::kEnumNetKey) + "\\9002");
    }
    static std::vector<std::string> SeededIds(const TCardList& cards) {
        std::vector<std::string> ids;
        for (const TACard& card : cards)
            if (card.ProviderName == "Velmora Tests") ids.push_back(card.CfgInstanceId);
        return ids;
    }
    Win32RegistryFactory registry;
};

TEST_F(NetOnWineTest, EnumerateCardsReadsTheSeededAdaptersInRegistryOrder) {
    const TCardList all = EnumerateCards(registry, "");
    EXPECT_EQ(SeededIds(all), (std::vector<std::string>{kIds[0], kIds[2]}));
    const TCardList filtered =
        EnumerateCards(registry, std::string("{7E570002-0000-4000-8000-0000000000A2},") +
                                     "{7E570003-0000-4000-8000-0000000000A3},"
                                     "{7E570004-0000-4000-8000-0000000000A4},");
    ASSERT_EQ(filtered.size(), 2u);  // the miniport has no connection key
    EXPECT_EQ(filtered[0].CfgInstanceId, kIds[1]);
    EXPECT_EQ(filtered[0].MediaSubType, 2);
    EXPECT_EQ(filtered[0].ConnectionName, "Connection 9002");
    EXPECT_EQ(filtered[0].PnpInstanceId, "ROOT\\NET\\9002");
    EXPECT_EQ(filtered[0].DriverDesc, "Seeded adapter 9002");
    EXPECT_TRUE(filtered[0].ShowIcon);
    EXPECT_EQ(filtered[0].LowerRange, "WLAN");
    EXPECT_EQ(filtered[1].CfgInstanceId, kIds[2]);  // stored in lower case, matched in upper
}

TEST_F(NetOnWineTest, WrongValueTypeEndsTheEnumerationWithTheRegistryError) {
    SetString(ConnectionKeyPath(kIds[0]), "ShowIcon", "1");
    try {
        EnumerateCards(registry, "");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'ShowIcon'");
    }
}

TEST_F(NetOnWineTest, MultiStringValuesReadBackByteForByte) {
    const std::string path = InterfaceKeyPath(kIds[0]);
    auto key = registry.Create();
    ASSERT_TRUE(key->OpenKey(path, true));
    WriteMultiSz(*key, "IPAddress",
                 JoinAddrList({"10.0.0.2", "", "10.0.0.3"}, std::string(1, '\0')));
    WriteMultiSz(*key, "SubnetMask", "");
    WriteMultiSz(*key, "DefaultGateway", std::string("10.0.0.1\0", 9));
    DWORD type = 0;
    EXPECT_EQ(RawValue(path, "IPAddress", type), std::string("10.0.0.2\0"
                                                             "10.0.0.3\0",
                                                             18));
    EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(RawValue(path, "SubnetMask", type), std::string(1, '\0'));
    EXPECT_EQ(RawValue(path, "DefaultGateway", type), std::string("10.0.0.1\0\0", 10));
    EXPECT_EQ(ReadMultiSz(*key, "IPAddress"), "10.0.0.2\r\n10.0.0.3");
    EXPECT_EQ(ReadMultiSz(*key, "DefaultGateway"), "10.0.0.1\r\n");
    key.reset();
    DeleteTree(path);
}

TEST_F(NetOnWineTest, RefreshCardNamesTakesTheNetDevicesFriendlyName) {
    SeedNetDevice("9001", "Velmora Virtual Ethernet #2");
    SeedNetDevice("9002", nullptr);
    TCardList cards = EnumerateCards(registry, std::string(kIds[0]) + "," + kIds[1] + ",");
    ASSERT_EQ(cards.size(), 2u);
    Win32Devices devices;
    RefreshCardNames(devices, cards);
    EXPECT_EQ(cards[0].DriverDesc, "Velmora Virtual Ethernet #2");
    EXPECT_EQ(cards[1].DriverDesc, "Seeded adapter 9002");
}

TEST_F(NetOnWineTest, SwitchCardGivesTheOutcomesWineCanGive) {
    SeedNetDevice("9001", "Velmora Virtual Ethernet");
    Win32Devices devices;
    Win32Prompts prompts;
    TCardList cards = EnumerateCards(registry, std::string(kIds[0]) + "," + kIds[1] + ",");
    ASSERT_EQ(cards.size(), 2u);
    const HCURSOR before = GetCursor();
    // The short walk: the network class under the card's own enumerator.
    const auto holds = [](std::unique_ptr<DeviceSet> set, const std::string& id) {
        for (uint32_t index = 0; set && set->Enumerate(index); ++index)
            if (GetDeviceInstanceId(*set, index) == id) return true;
        return false;
    };
    EXPECT_TRUE(holds(devices.PresentNetDevices("ROOT"), cards[0].PnpInstanceId));
    EXPECT_FALSE(holds(devices.PresentNetDevices("PCI"), cards[0].PnpInstanceId));

    // The device reads as not started here: switched off and left off needs no call.
    EXPECT_TRUE(SwitchCard(devices, prompts, cards[0], false));
    // Enabling needs the class installer, which Wine does not provide.
    try {
        SwitchCard(devices, prompts, cards[0], true);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Call SetupDiSetClassInstallParams Error");
    }
    // No present device for the second card.
    try {
        SwitchCard(devices, prompts, cards[1], true);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Seeded adapter 9002 does not exist.");
    }
    EXPECT_EQ(GetCursor(), before);
}

TEST(AdapterStatusOnWine, AgreesWithADirectProbe) {
    ULONG size = 0;
    std::vector<unsigned char> buffer;
    DWORD result = GetAdaptersInfo(nullptr, &size);
    std::vector<std::string> names;
    std::vector<DWORD> indexes, operStatuses;
    if (result == ERROR_BUFFER_OVERFLOW) {
        buffer.resize(size);
        result = GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
    }
    if (result == NO_ERROR) {
        for (auto* info = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()); info;
             info = info->Next) {
            names.push_back(info->AdapterName);
            indexes.push_back(info->Index);
            MIB_IFROW row{};
            row.dwIndex = info->Index;
            operStatuses.push_back(GetIfEntry(&row) == NO_ERROR ? row.dwOperStatus : 0);
        }
    }

    Win32IpHelper ipHelper;
    TAdapterStatuses statuses;
    GetAdapterStatuses(ipHelper, statuses);
    ASSERT_EQ(statuses.size(), names.size());
    for (size_t i = 0; i < statuses.size(); ++i) {
        EXPECT_EQ(statuses[i].AdapterName, names[i]);
        EXPECT_EQ(statuses[i].IfIndex, indexes[i]);
        EXPECT_EQ(statuses[i].OperStatus, operStatuses[i]);
        EXPECT_EQ(statuses[i].AdapterName.front(), '{');
    }
    std::printf("      (the host's adapters as Wine reports them: %u)\n",
                static_cast<unsigned>(statuses.size()));
}

}  // namespace
}  // namespace vt::win32
