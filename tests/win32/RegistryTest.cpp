// The registry object on Wine's real registry: opening, creating, typed reads and writes, raw
// values, error texts.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include "base/Error.h"
#include "platform/win32/Win32Registry.h"
#include "tests/contract/RegistryContract.h"

namespace vt::win32 {
namespace {

constexpr char kRoot[] = "SOFTWARE\\VelmoraTarvelloTests";

class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path = std::string(kRoot) + "\\" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());  // left over from an earlier run
    }
    void TearDown() override { SHDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str()); }
    std::string RawBytes(const char* name, DWORD& type) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return "<no key>";
        DWORD size = 0;
        RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
        std::string data(size, '\0');
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        RegCloseKey(key);
        return data;
    }
    std::string path;
    Win32Registry registry;
};

TEST_F(RegistryTest, KeepsTheRegistryContract) {
    Win32RegistryFactory factory;
    contract::CheckRegistryContract(factory, path);
}

TEST_F(RegistryTest, OpenWithoutCreateFailsOnMissingKeyAndCreatesNothing) {
    EXPECT_FALSE(registry.OpenKey(path, false));
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_TRUE(registry.OpenKey(path, true));
    EXPECT_TRUE(registry.OpenKey(path, false));
}

TEST_F(RegistryTest, WritesStoreTheExactBytes) {
    ASSERT_TRUE(registry.OpenKey(path, true));
    registry.WriteString("Text", "10.0.0.5");
    registry.WriteInteger("Number", -2);
    registry.WriteString("Empty", "");
    DWORD type = 0;
    EXPECT_EQ(RawBytes("Text", type), std::string("10.0.0.5\0", 9));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(RawBytes("Number", type), std::string("\xFE\xFF\xFF\xFF", 4));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(RawBytes("Empty", type), std::string("\0", 1));
}

TEST_F(RegistryTest, ReadsBackWhatWasWritten) {
    ASSERT_TRUE(registry.OpenKey(path, true));
    registry.WriteString("Name", "Local Area Connection");
    registry.WriteInteger("MediaSubType", 2);
    EXPECT_TRUE(registry.ValueExists("name"));
    EXPECT_FALSE(registry.ValueExists("Other"));
    EXPECT_EQ(registry.ReadString("Name"), "Local Area Connection");
    EXPECT_EQ(registry.ReadInteger("MediaSubType"), 2);
}

TEST_F(RegistryTest, ErrorTextsNameTheValue) {
    ASSERT_TRUE(registry.OpenKey(path, true));
    registry.WriteInteger("ShowIcon", 1);
    registry.WriteString("Name", "x");
    auto text = [](auto&& call) {
        try {
            call();
        } catch (const Error& e) {
            return std::string(e.what());
        }
        return std::string("<no error>");
    };
    EXPECT_EQ(text([&] { registry.ReadString("ShowIcon"); }), "Invalid data type for 'ShowIcon'");
    EXPECT_EQ(text([&] { registry.ReadInteger("Name"); }), "Invalid data type for 'Name'");
    EXPECT_EQ(text([&] { registry.ReadInteger("Missing"); }), "Failed to get data for 'Missing'");
    registry.CloseKey();
    EXPECT_EQ(text([&] { registry.WriteString("EnableDHCP", "1"); }),
              "Failed to set data for 'EnableDHCP'");
    EXPECT_EQ(text([&] { registry.WriteInteger("EnableDHCP", 1); }),
              "Failed to set data for 'EnableDHCP'");
}

TEST_F(RegistryTest, RawMultiStringValuesKeepEveryByte) {
    ASSERT_TRUE(registry.OpenKey(path, true));
    const std::string gateway("10.0.0.1\0\0", 10);
    ASSERT_TRUE(registry.SetRawValue("DefaultGateway", REG_MULTI_SZ, gateway));
    ASSERT_TRUE(registry.SetRawValue("Single", REG_MULTI_SZ, std::string(1, '\0')));
    DWORD type = 0;
    EXPECT_EQ(RawBytes("DefaultGateway", type), gateway);
    EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(RawBytes("Single", type), std::string(1, '\0'));
    uint32_t readType = 0;
    std::string data;
    ASSERT_TRUE(registry.QueryRawValue("DefaultGateway", readType, data));
    EXPECT_EQ(readType, static_cast<uint32_t>(REG_MULTI_SZ));
    EXPECT_EQ(data, gateway);
    EXPECT_FALSE(registry.QueryRawValue("Missing", readType, data));
}

TEST_F(RegistryTest, SubkeyNames) {
    ASSERT_TRUE(registry.OpenKey(path + "\\Child", true));
    ASSERT_TRUE(registry.OpenKey(path, false));
    EXPECT_EQ(registry.GetKeyNames(), std::vector<std::string>{"Child"});
}

}  // namespace
}  // namespace vt::win32
