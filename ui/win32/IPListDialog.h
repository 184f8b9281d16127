// The address list dialog ("IP Address "): the rows in a list view and the buttons beside it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/IPListDialog.h"

namespace vt::win32 {

// Control ids, so tests find the controls.
inline constexpr int kIdIPList = 201;
inline constexpr int kIdIPListAdd = 202;
inline constexpr int kIdIPListModify = 203;
inline constexpr int kIdIPListRemove = 204;
inline constexpr int kIdIPListUp = 205;
inline constexpr int kIdIPListDown = 206;
inline constexpr int kIdIPListClear = 207;

// Runs the dialog over `owner` on the pairs; the rows in their order on OK, nothing on Cancel.
std::optional<std::vector<IPPair>> RunIPListDialog(HWND owner, const std::vector<std::string>& ips,
                                                   const std::vector<std::string>& masks);

}  // namespace vt::win32
