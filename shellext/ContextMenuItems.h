// What the Explorer context menu offers: the configurations whose ShowInMenu is on, in the order
// of section Configurations, and what choosing one starts.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/FileStore.h"

namespace vt {

inline constexpr char kProgramFile[] = "VelmoraTarvello.exe";

// Read once from the settings file at `settingsPath`. A file that is missing or cannot be read
// gives none, and so does a name that would not reach the program as itself.
std::vector<std::string> ContextMenuConfigurations(FileStore& files,
                                                   const std::string& settingsPath);

// A menu item's text: the name with its "&" doubled, so that it shows as typed.
std::string MenuItemText(const std::string& name);

// The verbs of the items: one per configuration, and the one that opens the program.
std::string ApplyVerb(const std::string& name);
inline constexpr char kOpenVerb[] = "VelmoraTarvello.Open";
// The configuration an apply verb names; nothing for any other text. Verbs compare without
// letter case, as the shell's own do.
std::optional<std::string> NameOfApplyVerb(const std::string& verb);
// Which item a verb names among `names` (as the menu offered them): a configuration's index,
// names.size() for "Open"; nothing for any other verb.
std::optional<size_t> ItemOfVerb(const std::string& verb, const std::vector<std::string>& names);

}  // namespace vt
