// Present devices in memory: each call recorded, every call able to fail, the set's release
// counted.
#pragma once

#include <string>
#include <vector>

#include "platform/Devices.h"

namespace vt::fakes {

struct FakeDevice {
    std::string instanceId;
    std::string deviceClass = "Net";
    std::string friendlyName;
    uint32_t status = 0;  // DN_* bits
    uint32_t problem = 0;
    bool statusFails = false;
    bool instanceIdFails = false;
};

class FakeDevices : public Devices {
  public:
    std::vector<FakeDevice> devices;
    bool setFails = false;
    bool setParamsFails = false;
    bool installerFails = false;
    // What the walk did, in order: "enum N", "id N", "property N CODE", "status N",
    // "params N disable|enable", "call N", "release". A property that is empty fails.
    std::vector<std::string> calls;
    int setsOpen = 0;

    std::vector<std::string> netSetEnumerators;  // what each network-class set was asked for
    bool netSetFails = false;

    std::unique_ptr<DeviceSet> PresentNetDevices(const std::string& enumerator) override {
        netSetEnumerators.push_back(enumerator);
        return netSetFails ? nullptr : PresentDevices();
    }
    std::unique_ptr<DeviceSet> PresentDevices() override {
        if (setFails) return nullptr;
        ++setsOpen;
        return std::make_unique<Set>(*this);
    }

    int InstallerCalls() const {
        int n = 0;
        for (const std::string& call : calls) n += call.rfind("call ", 0) == 0;
        return n;
    }

  private:
    class Set : public DeviceSet {
      public:
        explicit Set(FakeDevices& owner) : owner_(owner) {}
        ~Set() override {
            --owner_.setsOpen;
            owner_.calls.push_back("release");
        }
        bool Enumerate(uint32_t index) override {
            owner_.calls.push_back("enum " + std::to_string(index));
            return index < owner_.devices.size();
        }
        bool InstanceId(uint32_t index, std::string& id) override {
            owner_.calls.push_back("id " + std::to_string(index));
            if (owner_.devices[index].instanceIdFails) return false;
            id = owner_.devices[index].instanceId;
            return true;
        }
        bool RegistryProperty(uint32_t index, uint32_t property, std::string& bytes) override {
            owner_.calls.push_back("property " + std::to_string(index) + " " +
                                   std::to_string(property));
            const FakeDevice& device = owner_.devices[index];
            const std::string& text =
                property == kSpdrpClass ? device.deviceClass : device.friendlyName;
            if (text.empty()) return false;
            bytes = text + std::string(1024 - text.size(), '\0');
            return true;
        }
        bool DevNodeStatus(uint32_t index, uint32_t& status, uint32_t& problem) override {
            owner_.calls.push_back("status " + std::to_string(index));
            if (owner_.devices[index].statusFails) return false;
            status = owner_.devices[index].status;
            problem = owner_.devices[index].problem;
            return true;
        }
        bool SetPropertyChangeParams(uint32_t index, uint32_t stateChange) override {
            owner_.calls.push_back("params " + std::to_string(index) +
                                   (stateChange == kDicsDisable ? " disable" : " enable"));
            stateChange_ = stateChange;
            return !owner_.setParamsFails;
        }
        // The device takes the state asked for: started, or disabled.
        bool CallPropertyChange(uint32_t index) override {
            owner_.calls.push_back("call " + std::to_string(index));
            if (owner_.installerFails) return false;
            FakeDevice& device = owner_.devices[index];
            const bool enable = stateChange_ == kDicsEnable;
            device.status = enable ? device.status | kDnStarted : device.status & ~kDnStarted;
            device.problem = enable ? 0 : kProblemDisabled;
            return true;
        }

      private:
        static constexpr uint32_t kProblemDisabled = 0x16;  // CM_PROB_DISABLED
        FakeDevices& owner_;
        uint32_t stateChange_ = 0;
    };
};

}  // namespace vt::fakes
