// The main window's control and command identifiers, so the window dispatches by id and tests find
// controls with GetDlgItem.
#pragma once

#include <windows.h>

namespace vt::win32 {

// The tray icon's mouse events, and the status refresh handed over by the refresh thread.
inline constexpr UINT WM_TRAYICON = WM_USER + 102;
inline constexpr UINT WM_REFRESHSTATUS = WM_USER + 103;

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
inline constexpr int kIdStatusPicture = 1009;
inline constexpr int kIdStatusWord = 1010;
inline constexpr int kIdStatusMemo = 1011;

// The editor's controls, in the order of EditorControl.
inline constexpr int kIdEditorFirst = 1100;

// Commands: the actions, shared by menus, toolbar and keys.
inline constexpr int kCmdAdd = 2000;
inline constexpr int kCmdRename = 2001;
inline constexpr int kCmdDelete = 2002;
inline constexpr int kCmdApply = 2003;
inline constexpr int kCmdExit = 2004;
inline constexpr int kCmdRestore = 2005;
inline constexpr int kCmdOptions = 2006;
inline constexpr int kCmdDesktopShortcut = 2007;
inline constexpr int kCmdQuickLaunch = 2008;
inline constexpr int kCmdHelp = 2009;
inline constexpr int kCmdHomepage = 2010;
inline constexpr int kCmdWebsite = 2011;
inline constexpr int kCmdFeedback = 2012;
inline constexpr int kCmdAbout = 2013;
inline constexpr int kCmdTakeCurrent = 2014;
inline constexpr int kCmdTrayItemFirst = 3000;  // the tray menu's configuration items

}  // namespace vt::win32
