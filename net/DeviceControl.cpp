// The device walk, the disable/enable sequence and the friendly names.
#include "net/DeviceControl.h"

#include <algorithm>
#include <optional>

#include "base/Error.h"
#include "base/ScopeExit.h"

namespace vt {

namespace {

void ChangeState(DeviceSet& set, uint32_t index, uint32_t stateChange) {
    if (!set.SetPropertyChangeParams(index, stateChange))
        throw Error("Call SetupDiSetClassInstallParams Error");
    if (!set.CallPropertyChange(index)) throw Error("Call SetupDiCallClassInstaller Error");
}

// The first device of `set` with the instance id, letting waiting messages run once per device.
std::optional<uint32_t> FindDevice(DeviceSet& set, const std::string& instanceId,
                                   Prompts& prompts) {
    for (uint32_t index = 0; set.Enumerate(index); ++index) {
        prompts.ProcessMessages();
        if (GetDeviceInstanceId(set, index) == instanceId) return index;
    }
    return std::nullopt;
}

}  // namespace

std::string GetDeviceProperty(DeviceSet& set, uint32_t index, uint32_t property) {
    std::string bytes;
    if (!set.RegistryProperty(index, property, bytes)) return std::string();
    return bytes.substr(0, bytes.find('\0'));
}

std::string GetDeviceInstanceId(DeviceSet& set, uint32_t index) {
    std::string id;
    if (!set.InstanceId(index, id)) return std::string();
    return NormalizeInstanceId(id.substr(0, id.find('\0')));
}

namespace {

// A card's device is of the network class and under the enumerator its id begins with ("PCI",
// "ROOT"...): that walk is short. The walk over every present device stays for a device filed
// elsewhere.
std::string EnumeratorOf(const TACard& card) {
    const size_t slash = card.PnpInstanceId.find('\\');
    return slash == std::string::npos ? "" : card.PnpInstanceId.substr(0, slash);
}

constexpr uint32_t kProblemDisabled = 0x16;  // CM_PROB_DISABLED

// Finds the card's device, the short walk first, and hands it to `change` with its state; a
// device whose state cannot be read is left alone. The wait cursor shows meanwhile.
template <typename Change>
void ChangeCardDevice(Devices& devices, Prompts& prompts, const TACard& card, Change change) {
    const std::string enumerator = EnumeratorOf(card);
    for (const bool networkClassOnly : {true, false}) {
        const std::unique_ptr<DeviceSet> set =
            networkClassOnly ? devices.PresentNetDevices(enumerator) : devices.PresentDevices();
        // An enumerator the system does not know gives no short set: the full walk decides.
        if (!set && networkClassOnly) continue;
        // The cursor comes back before the set is released, on every path.
        const uintptr_t savedCursor = prompts.ShowWaitCursor();
        ScopeExit restoreCursor([&] { prompts.RestoreCursor(savedCursor); });
        if (!set) throw Error("INVALID_HANDLE_VALUE");
        const std::optional<uint32_t> index = FindDevice(*set, card.PnpInstanceId, prompts);
        if (!index) continue;
        uint32_t status = 0, problem = 0;
        if (set->DevNodeStatus(*index, status, problem)) change(*set, *index, status, problem);
        return;
    }
    throw Error(card.DriverDesc + " does not exist.");
}

}  // namespace

bool SwitchCard(Devices& devices, Prompts& prompts, TACard card, bool toEnable) {
    ChangeCardDevice(devices, prompts, card,
                     [&](DeviceSet& set, uint32_t index, uint32_t status, uint32_t) {
                         if (status & kDnStarted) ChangeState(set, index, kDicsDisable);
                         if (toEnable) ChangeState(set, index, kDicsEnable);
                     });
    return true;
}

void RestoreCardDevice(Devices& devices, Prompts& prompts, const TACard& card, bool enabled) {
    ChangeCardDevice(devices, prompts, card,
                     [&](DeviceSet& set, uint32_t index, uint32_t status, uint32_t problem) {
                         const bool disabled = problem == kProblemDisabled;
                         if (!enabled) {
                             if (!disabled) ChangeState(set, index, kDicsDisable);
                         } else if (disabled) {
                             ChangeState(set, index, kDicsEnable);
                         } else if (status & kDnStarted) {
                             // Running: restarted, so that the values written back take effect.
                             ChangeState(set, index, kDicsDisable);
                             ChangeState(set, index, kDicsEnable);
                         }
                     });
}

namespace {

struct DevNodeState {
    uint32_t status = 0, problem = 0;
};

// The state of the first present device with the card's instance id, the short walk first as for
// a switch; nothing without one.
std::optional<DevNodeState> CardDeviceState(Devices& devices, const TACard& card) {
    if (card.PnpInstanceId.empty()) return std::nullopt;
    for (const bool networkClassOnly : {true, false}) {
        const std::unique_ptr<DeviceSet> set = networkClassOnly
                                                   ? devices.PresentNetDevices(EnumeratorOf(card))
                                                   : devices.PresentDevices();
        for (uint32_t index = 0; set && set->Enumerate(index); ++index) {
            if (GetDeviceInstanceId(*set, index) != card.PnpInstanceId) continue;
            DevNodeState state;
            if (!set->DevNodeStatus(index, state.status, state.problem)) return std::nullopt;
            return state;
        }
    }
    return std::nullopt;
}

}  // namespace

bool CardDeviceDisabled(Devices& devices, const TACard& card) {
    const auto state = CardDeviceState(devices, card);
    return state && state->problem == kProblemDisabled;
}

std::optional<bool> CardDeviceEnabled(Devices& devices, const TACard& card) {
    const auto state = CardDeviceState(devices, card);
    if (!state) return std::nullopt;
    return state->problem != kProblemDisabled;
}

void RefreshCardNames(Devices& devices, TCardList& cards) {
    const std::unique_ptr<DeviceSet> set = devices.PresentNetDevices();
    if (!set) throw Error("INVALID_HANDLE_VALUE");
    for (uint32_t index = 0; set->Enumerate(index); ++index) {
        // The instance id costs no registry read: the properties are read for the cards' own
        // devices only.
        const std::string id = GetDeviceInstanceId(*set, index);
        const auto card = std::find_if(cards.begin(), cards.end(), [&](const TACard& each) {
            return each.PnpInstanceId == id;
        });
        if (card == cards.end() || GetDeviceProperty(*set, index, kSpdrpClass) != "Net") continue;
        const std::string friendlyName = GetDeviceProperty(*set, index, kSpdrpFriendlyName);
        if (!friendlyName.empty()) card->DriverDesc = friendlyName;
    }
}

}  // namespace vt
