// Rebuilding the status panel, and the picture's double-click.
#include "ui/StatusPanel.h"

#include "base/Error.h"
#include "core/OSVersion.h"
#include "net/AdapterStatus.h"
#include "net/TcpipRegistry.h"
#include "ui/MainWindow.h"

namespace vt {

namespace {

constexpr int kDisabled = 0, kLinkDown = 1, kConnected = 2;
constexpr int kWirelessOffset = 3;
constexpr int32_t kWireless = 2;

}  // namespace

void StatusPanel::RefreshStatusPanel() {
    if (!view_.IsShowing() || main_.Updating || main_.Cards.empty()) return;
    TAdapterStatuses statuses;
    GetAdapterStatuses(main_.platform().ipHelper, statuses);
    const TACard card = main_.Tabs.CurrentCard();
    int image = kDisabled;
    bool dhcp = false;
    for (const TAdapterStatus& status : statuses) {
        if (status.AdapterName != card.CfgInstanceId) continue;
        image = status.OperStatus == kOperStatusOperational ? kConnected : kLinkDown;
        dhcp = status.DhcpEnabled;
        break;
    }

    std::string ip, mask, dns, gateway;
    if (image != kDisabled) {
        const auto key = main_.platform().registry.Create();
        if (key->OpenKey(InterfaceKeyPath(card.CfgInstanceId), false)) {
            ip = ReadMultiSz(*key, DhcpValueName(dhcp, "IPAddress"));
            mask = ReadMultiSz(*key, DhcpValueName(dhcp, "SubnetMask"));
            dns = ReadMultiSz(*key, DhcpValueName(dhcp, "NameServer"));
            gateway = ReadMultiSz(*key, DhcpValueName(dhcp, "DefaultGateway"));
            key->CloseKey();
        }
    }
    const auto addresses = [&](const std::string& mark) {
        return "IP Address: " + mark + "\r" + ip + "\r\rSubnet Mask:\r" + mask + "\r\rGateways:\r" +
               gateway + "\rDNS Address:\r" + dns + "\r";
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
    view_.SetStatusPicture(card.MediaSubType == kWireless ? image + kWirelessOffset : image);
    const TConfigNode* node = main_.Tree.Selected();
    view_.SetDeviceLine(node ? node->Text + " -> " + card.DriverDesc : card.DriverDesc);
}

void StatusPanel::raNetStatusDblClick() {
    const int version = OSVersionClass(main_.platform().system.QueryVersion());
    if (version != 7 && version != 8) throw Error(kVersionNotSupported);
    main_.platform().shell.WinExec(kNetworkConnectionsCommand, kSwShowNormal);
}

}  // namespace vt
