// The seam for Plug and Play devices: a set of all present devices of all classes, walked by index.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vt {

inline constexpr uint32_t kSpdrpClass = 7;          // SPDRP_CLASS
inline constexpr uint32_t kSpdrpFriendlyName = 12;  // SPDRP_FRIENDLYNAME
inline constexpr uint32_t kDnStarted = 0x8;         // DN_STARTED
inline constexpr uint32_t kDicsEnable = 1;          // DICS_ENABLE
inline constexpr uint32_t kDicsDisable = 2;         // DICS_DISABLE

// One device information set (SetupDiGetClassDevsA with DIGCF_PRESENT | DIGCF_ALLCLASSES);
// destroying the object releases it (SetupDiDestroyDeviceInfoList). Calls name a device by
// the index at which `Enumerate` last found it.
class DeviceSet {
  public:
    virtual ~DeviceSet() = default;
    // SetupDiEnumDeviceInfo: false past the last device.
    virtual bool Enumerate(uint32_t index) = 0;
    // SetupDiGetDeviceInstanceIdA into 1024 bytes; false on failure.
    virtual bool InstanceId(uint32_t index, std::string& id) = 0;
    // SetupDiGetDeviceRegistryPropertyA into a zero-filled 1024-byte buffer; false on failure.
    virtual bool RegistryProperty(uint32_t index, uint32_t property, std::string& bytes) = 0;
    // CM_Get_DevNode_Status with both outputs zeroed first; false unless CR_SUCCESS.
    virtual bool DevNodeStatus(uint32_t index, uint32_t& status, uint32_t& problem) = 0;
    // SetupDiSetClassInstallParamsA with DIF_PROPERTYCHANGE parameters for `stateChange`,
    // global scope, hardware profile 0.
    virtual bool SetPropertyChangeParams(uint32_t index, uint32_t stateChange) = 0;
    // SetupDiCallClassInstaller(DIF_PROPERTYCHANGE).
    virtual bool CallPropertyChange(uint32_t index) = 0;
};

class Devices {
  public:
    virtual ~Devices() = default;
    // Null when the system gives INVALID_HANDLE_VALUE.
    virtual std::unique_ptr<DeviceSet> PresentDevices() = 0;
    // The present devices of the network class only (the class's GUID, DIGCF_PRESENT), of one
    // enumerator ("PCI", "ROOT"...) when one is given: a walk for adapters need not build an
    // entry for every device of the machine. A device set that cannot tell classes apart gives
    // all present devices.
    virtual std::unique_ptr<DeviceSet> PresentNetDevices(const std::string& enumerator = "") {
        (void)enumerator;
        return PresentDevices();
    }
};

}  // namespace vt
