// The single-address dialog (" IP Address"): two address fields, OK and Cancel.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ui/IPListDialog.h"

namespace vt::win32 {

// Control ids, so tests find the controls.
inline constexpr int kIdEditIPAddress = 101;
inline constexpr int kIdEditIPMask = 102;

// Runs the dialog over `owner`, empty or on `initial`; the normalised pair on OK, nothing on
// Cancel.
std::optional<IPPair> RunEditIPDialog(HWND owner, const IPPair* initial);

// An information box about an address over the address dialog `dialog`, framed as every message
// of the program.
void TellAboutAddress(HWND dialog, const std::string& text);

}  // namespace vt::win32
