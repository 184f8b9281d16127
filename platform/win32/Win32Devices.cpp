// One SetupAPI device information set, walked by index, with the property-change calls.
#include "platform/win32/Win32Devices.h"

#include <windows.h>
#include <setupapi.h>
#include <cfgmgr32.h>

#include "platform/win32/Handles.h"

namespace vt::win32 {

namespace {

constexpr DWORD kBufferSize = 1024;

class Win32DeviceSet : public DeviceSet {
  public:
    explicit Win32DeviceSet(UniqueDeviceInfoSet set) : set_(std::move(set)) {}

    bool Enumerate(uint32_t index) override {
        record_ = SP_DEVINFO_DATA{};
        record_.cbSize = sizeof record_;
        current_ = index;
        valid_ = SetupDiEnumDeviceInfo(set_.Get(), index, &record_) != FALSE;
        return valid_;
    }

    bool InstanceId(uint32_t index, std::string& id) override {
        if (!At(index)) return false;
        char buffer[kBufferSize] = {};
        if (!SetupDiGetDeviceInstanceIdA(set_.Get(), &record_, buffer, kBufferSize, nullptr))
            return false;
        id = buffer;
        return true;
    }

    bool RegistryProperty(uint32_t index, uint32_t property, std::string& bytes) override {
        if (!At(index)) return false;
        // One byte more than the call may fill, so the text always ends.
        std::string buffer(kBufferSize + 1, '\0');
        DWORD required = 0;
        if (!SetupDiGetDeviceRegistryPropertyA(set_.Get(), &record_, property, nullptr,
                                               reinterpret_cast<BYTE*>(buffer.data()), kBufferSize,
                                               &required))
            return false;
        bytes = std::move(buffer);
        return true;
    }

    bool DevNodeStatus(uint32_t index, uint32_t& status, uint32_t& problem) override {
        if (!At(index)) return false;
        ULONG devStatus = 0, devProblem = 0;  // some systems leave them untouched
        if (CM_Get_DevNode_Status(&devStatus, &devProblem, record_.DevInst, 0) != CR_SUCCESS)
            return false;
        status = devStatus;
        problem = devProblem;
        return true;
    }

    bool SetPropertyChangeParams(uint32_t index, uint32_t stateChange) override {
        if (!At(index)) return false;
        SP_PROPCHANGE_PARAMS params{};
        params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
        params.ClassInstallHeader.InstallFunction = DIF_PROPERTYCHANGE;
        params.StateChange = stateChange;
        params.Scope = DICS_FLAG_GLOBAL;
        params.HwProfile = 0;
        return SetupDiSetClassInstallParamsA(set_.Get(), &record_, &params.ClassInstallHeader,
                                             sizeof params) != FALSE;
    }

    bool CallPropertyChange(uint32_t index) override {
        if (!At(index)) return false;
        return SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, set_.Get(), &record_) != FALSE;
    }

  private:
    // The record of the device that Enumerate found last; another index is fetched anew.
    bool At(uint32_t index) { return (valid_ && index == current_) || Enumerate(index); }

    UniqueDeviceInfoSet set_;
    SP_DEVINFO_DATA record_{};
    uint32_t current_ = 0;
    bool valid_ = false;
};

}  // namespace

std::unique_ptr<DeviceSet> Win32Devices::PresentDevices() {
    UniqueDeviceInfoSet set(
        SetupDiGetClassDevsA(nullptr, nullptr, nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES));
    if (!set) return nullptr;
    return std::make_unique<Win32DeviceSet>(std::move(set));
}

std::unique_ptr<DeviceSet> Win32Devices::PresentNetDevices(const std::string& enumerator) {
    static const GUID kNetClass = {
        0x4d36e972, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
    UniqueDeviceInfoSet set(SetupDiGetClassDevsA(
        &kNetClass, enumerator.empty() ? nullptr : enumerator.c_str(), nullptr, DIGCF_PRESENT));
    if (!set) return nullptr;
    return std::make_unique<Win32DeviceSet>(std::move(set));
}

}  // namespace vt::win32
