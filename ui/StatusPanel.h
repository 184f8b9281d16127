// The connection status panel: the current card's picture, state word and addresses, and the
// device line above the card page, rebuilt from one live snapshot and the card's registry values.
#pragma once

#include <string>

#include "net/AdapterStatus.h"
#include "core/ConfigSession.h"
#include "ui/FormState.h"

namespace vt {

// What the panel's logic asks of its controls.
class StatusPanelView {
  public:
    virtual ~StatusPanelView() = default;
    // The main window is on the screen (not hidden in the tray).
    virtual bool IsShowing() const = 0;
    virtual void SetStatusPicture(int index) = 0;  // 0-2 wired, 3-5 wireless
    virtual void SetStatusWord(const std::string& text) = 0;
    // The text as it is: lines break at CR LF, at a lone CR and at a lone LF.
    virtual void SetStatusMemo(const std::string& text) = 0;
    virtual void SetDeviceLine(const std::string& text) = 0;
};

inline constexpr char kVersionNotSupported[] = "Operation_System_Version_Not_Support";
inline constexpr char kNetworkConnectionsCommand[] =
    "RunDLL32.exe Shell32.dll,Control_RunDLL ncpa.cpl";

class StatusPanel {
  public:
    StatusPanel(ConfigSession& session, FormState& state, StatusPanelView& view)
        : session_(session), state_(state), view_(view) {}

    // `taken`: the live snapshot when the refresh thread took it; without one it is taken here.
    void RefreshStatusPanel(const TAdapterStatuses* taken = nullptr);
    // Opens the network connections folder; on other systems than XP and 2003 raises
    // kVersionNotSupported.
    void raNetStatusDblClick();

  private:
    ConfigSession& session_;
    FormState& state_;
    StatusPanelView& view_;
};

}  // namespace vt
