// The context menu's items from the settings file.
#include "shellext/ContextMenuItems.h"

#include <exception>

#include "core/CommandLine.h"
#include "core/SettingsFile.h"
#include "core/SettingsLayout.h"

namespace vt {

namespace {

constexpr char kApplyVerbPrefix[] = "VelmoraTarvello.Apply:";

}  // namespace

std::vector<std::string> ContextMenuConfigurations(FileStore& files,
                                                   const std::string& settingsPath) {
    std::vector<std::string> names;
    try {
        SettingsFile settings(files, settingsPath);
        const SettingsFile::Snapshot once(settings);
        for (const auto& [key, name] : settings.ReadSectionValues(settings::kConfigurations))
            if (settings.ReadBool(key, settings::kShowInMenu, false) && PassesAsArgument(name))
                names.push_back(name);
    } catch (const std::exception&) {
        names.clear();  // the menu is never worth an error in Explorer
    }
    return names;
}

std::string MenuItemText(const std::string& name) {
    std::string text;
    for (char c : name) {
        if (c == '&') text += '&';
        text += c;
    }
    return text;
}

std::string ApplyVerb(const std::string& name) {
    return kApplyVerbPrefix + name;
}

std::optional<std::string> NameOfApplyVerb(const std::string& verb) {
    const std::string prefix = kApplyVerbPrefix;
    if (verb.size() <= prefix.size() || verb.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    return verb.substr(prefix.size());
}

}  // namespace vt
