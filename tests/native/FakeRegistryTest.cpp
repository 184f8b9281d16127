// The in-memory registry keeps the registry object's rules, and refuses what a test tells it to.
#include <gtest/gtest.h>

#include "tests/contract/RegistryContract.h"
#include "tests/fakes/FakeRegistry.h"

namespace vt {
namespace {

TEST(FakeRegistryTest, KeepsTheRegistryContract) {
    fakes::FakeRegistryFactory factory;
    contract::CheckRegistryContract(factory, "SOFTWARE\\VelmoraTarvelloTests\\Contract");
}

TEST(FakeRegistryTest, RefusesTheKeysAndValuesItIsToldTo) {
    fakes::FakeRegistryFactory factory;
    factory.store.refusedKeys.insert(fakes::FakeRegistryStore::Fold("SYSTEM\\Locked"));
    factory.store.refusedValues.insert(fakes::FakeRegistryStore::Fold("SubnetMask"));
    auto registry = factory.Create();
    EXPECT_FALSE(registry->OpenKey("system\\locked", true));
    ASSERT_TRUE(registry->OpenKey("SYSTEM\\Open", true));
    registry->WriteString("IPAddress", "10.0.0.5");
    EXPECT_EQ(contract::ErrorText([&] { registry->WriteString("SubnetMask", "255.0.0.0"); }),
              "Failed to set data for 'SubnetMask'");
    EXPECT_FALSE(registry->SetRawValue("subnetmask", kRegMultiSz, std::string(1, '\0')));
    EXPECT_EQ(factory.store.calls,
              (std::vector<std::string>{"create system\\locked", "create SYSTEM\\Open",
                                        "set IPAddress", "set SubnetMask", "set subnetmask"}));
}

TEST(FakeRegistryTest, SubkeysKeepTheirCreationOrder) {
    fakes::FakeRegistryFactory factory;
    for (const char* name : {"0007", "0001", "0003"})
        factory.store.SeedString(std::string("CLASS\\") + name, "DriverDesc", name);
    auto registry = factory.Create();
    ASSERT_TRUE(registry->OpenKey("Class", false));
    EXPECT_EQ(registry->GetKeyNames(), (std::vector<std::string>{"0007", "0001", "0003"}));
}

}  // namespace
}  // namespace vt
