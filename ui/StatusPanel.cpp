// Rebuilding the status panel, and the picture's double-click.
#include "ui/StatusPanel.h"

#include "base/Error.h"
#include "core/OSVersion.h"
#include "net/AdapterStatus.h"
#include "net/TcpipRegistry.h"

namespace vt {

namespace {

constexpr int kDisabled = 0, kLinkDown = 1, kConnected = 2;
constexpr int kWirelessOffset = 3;

}  // namespace

void StatusPanel::RefreshStatusPanel(const TAdapterStatuses* taken) {
    if (!view_.IsShowing() || state_.Updating() || session_.Cards().Empty()) return;
    Platform& platform = session_.platform;
    TAdapterStatuses own;
    if (!taken) GetAdapterStatuses(platform.ipHelper, own);
    const TAdapterStatuses& statuses = taken ? *taken : own;
    const TACard card = session_.Cards().Current();
    int image = kDisabled;
    bool dhcp = false;
    for (const TAdapterStatus& status : statuses) {
        if (status.AdapterName != card.CfgInstanceId) continue;
        image = status.OperStatus == kOperStatusOperational ? kConnected : kLinkDown;
        dhcp = status.DhcpEnabled;
        break;
    }

    const ConfiguredAddresses configured =
        image == kDisabled ? ConfiguredAddresses{}
                           : ReadConfiguredAddresses(platform.registry, card.CfgInstanceId, dhcp);
    const auto addresses = [&](const std::string& mark) {
        return "IP Address: " + mark + "\r" + configured.ip + "\r\rSubnet Mask:\r" +
               configured.mask + "\r\rGateways:\r" + configured.gateway + "\rDNS Address:\r" +
               configured.dns + "\r";
    };
    if (image == kDisabled) {
        view_.SetStatusWord("Disabled.");
        view_.SetStatusMemo("Connection Disabled");
    } else if (image == kLinkDown) {
        view_.SetStatusWord("DisConnected.");
        view_.SetStatusMemo(dhcp ? "Connection DisConnected" : addresses(""));
    } else {
        view_.SetStatusWord("Connected.");
        view_.SetStatusMemo(addresses(dhcp ? "(DHCP)" : ""));
    }
    const bool wireless = card.MediaSubType == kMediaSubTypeWireless;
    view_.SetStatusPicture(wireless ? image + kWirelessOffset : image);
    const TConfigNode* node = state_.Selected();
    view_.SetDeviceLine(node ? node->Text + " -> " + card.DriverDesc : card.DriverDesc);
}

void StatusPanel::raNetStatusDblClick() {
    const int version = OSVersionClass(session_.platform.system.QueryVersion());
    if (version != kOsWindowsXP && version != kOsWindows2003) throw Error(kVersionNotSupported);
    session_.platform.shell.WinExec(kNetworkConnectionsCommand, kSwShowNormal);
}

}  // namespace vt
