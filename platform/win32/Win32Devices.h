// Plug and Play devices over SetupAPI and the configuration manager.
#pragma once

#include "platform/Devices.h"

namespace vt::win32 {

class Win32Devices : public Devices {
  public:
    std::unique_ptr<DeviceSet> PresentDevices() override;
    std::unique_ptr<DeviceSet> PresentNetDevices(const std::string& enumerator) override;
};

}  // namespace vt::win32
