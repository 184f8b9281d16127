// The bundle of platform services handed to the program's logic: real ones in WinMain, fakes in
// tests.
#pragma once

#include "platform/Devices.h"
#include "platform/FileStore.h"
#include "platform/IpHelper.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/System.h"

namespace vt {

struct Platform {
    FileStore& files;
    Prompts& prompts;
    RegistryFactory& registry;
    System& system;
    Devices& devices;
    IpHelper& ipHelper;
    Shell& shell;
};

}  // namespace vt
