// The main window's control and command identifiers, so the window dispatches by id and tests find
// controls with GetDlgItem.
#pragma once

#include <windows.h>

namespace vt::win32 {

inline constexpr UINT WM_EDITNODE = WM_USER + 100;
// A label edit ended; its name is checked once the tree has closed the edit box.
inline constexpr UINT WM_NODEEDITED = WM_USER + 101;

// Controls.
inline constexpr int kIdToolbar = 1000;
inline constexpr int kIdStatusBar = 1001;
inline constexpr int kIdConfigTitle = 1002;
inline constexpr int kIdTree = 1003;
inline constexpr int kIdSplitter = 1004;
inline constexpr int kIdTabs = 1005;
inline constexpr int kIdCardPage = 1006;
inline constexpr int kIdDeviceLine = 1007;
inline constexpr int kIdStatusGroup = 1008;

// The editor's controls, in the order of EditorControl.
inline constexpr int kIdEditorFirst = 1100;

// Commands: the actions, shared by menus, toolbar and keys.
inline constexpr int kCmdAdd = 2000;
inline constexpr int kCmdRename = 2001;
inline constexpr int kCmdDelete = 2002;
inline constexpr int kCmdApply = 2003;
inline constexpr int kCmdExit = 2004;

}  // namespace vt::win32
