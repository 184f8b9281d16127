// Every platform fake in one place, and the Platform bundle over them.
#pragma once

#include <string>

#include "net/AdapterInventory.h"
#include "platform/Platform.h"
#include "tests/fakes/FakeDevices.h"
#include "tests/fakes/FakeFileStore.h"
#include "tests/fakes/FakeIpHelper.h"
#include "tests/fakes/FakePrompts.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/FakeShell.h"
#include "tests/fakes/FakeSystem.h"

namespace vt::fakes {

struct FakePlatform {
    FakeFileStore files;
    FakePrompts prompts;
    FakeRegistryFactory registry;
    FakeSystem system;
    FakeDevices devices;
    FakeIpHelper ipHelper;
    FakeShell shell;
    Platform platform{files, prompts, registry, system, devices, ipHelper, shell};

    // An ethernet card in the registry, as the adapter list finds it: "<name> adapter" on the
    // connection "<name>".
    void SeedCard(const std::string& subkey, const std::string& id, const std::string& name) {
        const std::string classKey = std::string(kAdapterClassKey) + "\\" + subkey;
        registry.store.SeedString(classKey, "NetCfgInstanceId", id);
        registry.store.SeedString(classKey, "DriverDesc", name + " adapter");
        registry.store.SeedString(classKey + "\\Ndi\\Interfaces", "LowerRange", "ethernet");
        registry.store.SeedString(ConnectionKeyPath(id), "Name", name);
    }
};

}  // namespace vt::fakes
