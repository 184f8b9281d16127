// Every platform fake in one place, and the Platform bundle over them.
#pragma once

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
};

}  // namespace vt::fakes
