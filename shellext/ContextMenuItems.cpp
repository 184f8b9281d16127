// The context menu's items from the settings file.
#include "shellext/ContextMenuItems.h"

#include <exception>

#include "base/AnsiText.h"
#include "core/CommandLine.h"
#include "core/ConfigNames.h"
#include "core/SettingsFile.h"

namespace vt {

namespace {

constexpr char kApplyVerbPrefix[] = "VelmoraTarvello.Apply:";

}  // namespace

std::vector<std::string> ContextMenuConfigurations(FileStore& files,
                                                   const std::string& settingsPath) {
    std::vector<std::string> names;
    try {
        SettingsFile settings(files, settingsPath);
        for (auto& offered : MenuConfigurations(settings))
            if (PassesAsArgument(offered.second)) names.push_back(std::move(offered.second));
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
    if (verb.size() <= prefix.size() || FoldCase(verb.substr(0, prefix.size())) != FoldCase(prefix))
        return std::nullopt;
    return verb.substr(prefix.size());
}

std::optional<size_t> ItemOfVerb(const std::string& verb, const std::vector<std::string>& names) {
    if (FoldCase(verb) == FoldCase(kOpenVerb)) return names.size();
    const auto name = NameOfApplyVerb(verb);
    if (!name) return std::nullopt;
    // Names differ in more than letter case (the settings file could not tell them apart).
    const std::string folded = FoldCase(*name);
    for (size_t i = 0; i < names.size(); ++i)
        if (FoldCase(names[i]) == folded) return i;
    return std::nullopt;
}

}  // namespace vt
