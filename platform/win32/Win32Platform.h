// The real platform: every Windows implementation, and the bundle of them the program runs on.
#pragma once

#include <utility>

#include "platform/Platform.h"
#include "platform/win32/Win32Devices.h"
#include "platform/win32/Win32FileStore.h"
#include "platform/win32/Win32IpHelper.h"
#include "platform/win32/Win32Prompts.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32System.h"

namespace vt::win32 {

// `System` is a parameter so that a benchmark can give the program another executable path.
template <typename System = Win32System>
struct Win32PlatformOf {
    template <typename... SystemArguments>
    explicit Win32PlatformOf(SystemArguments&&... arguments)
        : system(std::forward<SystemArguments>(arguments)...) {}

    Win32FileStore files;
    Win32Prompts prompts;
    Win32RegistryFactory registry;
    System system;
    Win32Devices devices;
    Win32IpHelper ipHelper;
    Win32Shell shell;
    Platform platform{files, prompts, registry, system, devices, ipHelper, shell};
};

using Win32Platform = Win32PlatformOf<>;

}  // namespace vt::win32
