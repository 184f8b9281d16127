// The names of the settings file: its file name, sections and the program-wide keys.
#pragma once

namespace vt::settings {

inline constexpr char kFileName[] = "LocalSettings.Ini";

inline constexpr char kOptions[] = "Options";
inline constexpr char kConfigurations[] = "Configurations";
inline constexpr char kFriendlyName[] = "FriendlyName";

inline constexpr char kAppPath[] = "AppPath";
inline constexpr char kFilters[] = "Filters";
inline constexpr char kAutorun[] = "Autorun";
inline constexpr char kEnableMenu[] = "EnableMenu";
inline constexpr char kCustomizeIcon[] = "CustomizeIcon";
inline constexpr char kConfirmApply[] = "ConfirmApply";
inline constexpr char kConfirmSeconds[] = "ConfirmSeconds";
inline constexpr char kDefaultAddToMenu[] = "DefaultAddToMenu";
inline constexpr char kShowInMenu[] = "ShowInMenu";
// 1 lets the program start on Windows 7 and later; the first start there asks and stores it.
inline constexpr char kRunOnNewerWindows[] = "RunOnNewerWindows";

}  // namespace vt::settings
