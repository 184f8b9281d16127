// Configurations' display names: which names the two name sections store and give back, and
// which names the settings file has given to a configuration already.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/SettingsFile.h"

namespace vt {

// Whether the name, written as key=name into "Configurations" and name=key into "FriendlyName",
// reads back from both sections as itself: anything the file's rules would alter (an "=", a
// leading ";", a header-like "[...]", enclosing quotes, blanks around it) could never find its
// configuration again.
bool NameReadsBack(std::string_view key, std::string_view name);

// Whether "FriendlyName" maps the name, letter case folded as the file folds it, to a configuration
// other than `ownKey`: another instance may have taken it since this one read the file.
bool NameTakenInFile(const SettingsFile::Batch& batch, std::string_view name,
                     std::string_view ownKey = {});

// Why a name that is stored already cannot be handed to another copy of the program (a shortcut,
// the copy run as administrator): the end of a sentence about the configuration; empty when it
// can.
std::string WhyNotPassable(std::string_view name);

// The configurations that menus offer (the tray's, Explorer's): key and name of each whose
// ShowInMenu is on, in the order of section "Configurations". Read at once.
std::vector<std::pair<std::string, std::string>> MenuConfigurations(SettingsFile& settings);

}  // namespace vt
