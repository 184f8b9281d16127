// Finding a card's Plug and Play device and switching it off and on; the devices' friendly names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "net/AdapterInventory.h"
#include "platform/Devices.h"
#include "platform/Prompts.h"

namespace vt {

// The property's text up to its first NUL; empty when it cannot be read.
std::string GetDeviceProperty(DeviceSet& set, uint32_t index, uint32_t property);

// The normalised instance id; empty when it cannot be read.
std::string GetDeviceInstanceId(DeviceSet& set, uint32_t index);

// Disables the card's device when it is started, then enables it when `toEnable`. Only the first
// present device with the card's instance id is handled; waiting messages run once per device
// walked. Errors: "INVALID_HANDLE_VALUE", "Call SetupDiSetClassInstallParams Error",
// "Call SetupDiCallClassInstaller Error", "<DriverDesc> does not exist.". The wait cursor is
// restored and the device set released on every path.
bool SwitchCard(Devices& devices, Prompts& prompts, TACard card, bool toEnable);

// Gives each card whose "Net" device has a friendly name that name as its description.
void RefreshCardNames(Devices& devices, TCardList& cards);

// Whether the card's device is enabled (not disabled, whether or not it runs); nothing when it is
// not present or its state cannot be read.
std::optional<bool> CardDeviceEnabled(Devices& devices, const TACard& card);

// Brings the card's device back to enabled or disabled: a disabled one is enabled, a running one
// restarted so that its values take effect, an enabled one that does not run left so; disabling
// leaves a disabled one alone. Errors as SwitchCard's.
void RestoreCardDevice(Devices& devices, Prompts& prompts, const TACard& card, bool enabled);

// Whether the card's device is disabled now; false when that cannot be told.
bool CardDeviceDisabled(Devices& devices, const TACard& card);

}  // namespace vt
