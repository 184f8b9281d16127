// What every registry object must do, checked the same way on the in-memory fake and on the real
// registry.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/Error.h"
#include "platform/Registry.h"

namespace vt::contract {

inline std::string ErrorText(const std::function<void()>& call) {
    try {
        call();
    } catch (const Error& e) {
        return e.what();
    }
    return "<no error>";
}

// `root` is a key path under HKEY_LOCAL_MACHINE that does not exist yet.
inline void CheckRegistryContract(RegistryFactory& factory, const std::string& root) {
    auto registry = factory.Create();
    EXPECT_FALSE(registry->OpenKey(root, false)) << "opening must not create";
    EXPECT_FALSE(registry->OpenKey(root, false));
    ASSERT_TRUE(registry->OpenKey(root + "\\Card", true));

    registry->WriteString("Name", "Local Area Connection");
    registry->WriteInteger("MediaSubType", -2);
    registry->WriteString("Empty", "");
    EXPECT_TRUE(registry->ValueExists("NAME"));
    EXPECT_FALSE(registry->ValueExists("Missing"));
    EXPECT_EQ(registry->ReadString("name"), "Local Area Connection");
    EXPECT_EQ(registry->ReadInteger("MediaSubType"), -2);
    EXPECT_EQ(registry->ReadString("Empty"), "");

    uint32_t type = 0;
    std::string bytes;
    ASSERT_TRUE(registry->QueryRawValue("Name", type, bytes));
    EXPECT_EQ(type, kRegSz);
    EXPECT_EQ(bytes, std::string("Local Area Connection\0", 22));
    ASSERT_TRUE(registry->QueryRawValue("MediaSubType", type, bytes));
    EXPECT_EQ(type, kRegDword);
    EXPECT_EQ(bytes, std::string("\xFE\xFF\xFF\xFF", 4));

    const std::string gateway("10.0.0.1\0\0", 10);
    ASSERT_TRUE(registry->SetRawValue("DefaultGateway", kRegMultiSz, gateway));
    ASSERT_TRUE(registry->QueryRawValue("DefaultGateway", type, bytes));
    EXPECT_EQ(type, kRegMultiSz);
    EXPECT_EQ(bytes, gateway);
    EXPECT_FALSE(registry->QueryRawValue("Missing", type, bytes));

    EXPECT_EQ(ErrorText([&] { registry->ReadString("MediaSubType"); }),
              "Invalid data type for 'MediaSubType'");
    EXPECT_EQ(ErrorText([&] { registry->ReadInteger("Name"); }), "Invalid data type for 'Name'");
    EXPECT_EQ(ErrorText([&] { registry->ReadInteger("DefaultGateway"); }),
              "Invalid data type for 'DefaultGateway'");
    EXPECT_EQ(ErrorText([&] { registry->ReadString("Missing"); }),
              "Failed to get data for 'Missing'");

    ASSERT_TRUE(registry->OpenKey(root + "\\Card\\Ndi", true));
    ASSERT_TRUE(registry->OpenKey(root + "\\Card", false));
    EXPECT_EQ(registry->GetKeyNames(), std::vector<std::string>{"Ndi"});

    // With no key open, writes fail with the value's name and raw writes report failure.
    EXPECT_FALSE(registry->OpenKey(root + "\\Nowhere", false));
    EXPECT_EQ(ErrorText([&] { registry->WriteInteger("EnableDHCP", 0); }),
              "Failed to set data for 'EnableDHCP'");
    EXPECT_EQ(ErrorText([&] { registry->WriteString("IPAddress", "x"); }),
              "Failed to set data for 'IPAddress'");
    EXPECT_FALSE(registry->SetRawValue("NameServer", kRegMultiSz, std::string(1, '\0')));
    EXPECT_FALSE(registry->ValueExists("Name"));
    EXPECT_TRUE(registry->GetKeyNames().empty());
}

}  // namespace vt::contract
