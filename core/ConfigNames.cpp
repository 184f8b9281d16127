// Display names against the settings file's rules.
#include "core/ConfigNames.h"

#include "core/CommandLine.h"
#include "core/IniDocument.h"
#include "core/SettingsLayout.h"

namespace vt {

bool NameReadsBack(std::string_view key, std::string_view name) {
    if (!IniDocument::ReadsBackAsWritten(settings::kFriendlyName, name, key)) return false;
    IniDocument written;
    written.WriteValue(settings::kConfigurations, key, name);
    written.WriteValue(settings::kFriendlyName, name, key);
    const IniDocument read = IniDocument::Parse(written.Serialize());
    return read.ReadValue(settings::kConfigurations, key) == name &&
           read.ReadValue(settings::kFriendlyName, name) == key;
}

bool NameTakenInFile(const SettingsFile::Batch& batch, std::string_view name,
                     std::string_view ownKey) {
    const auto key = batch.Value(settings::kFriendlyName, name);
    return key && *key != ownKey;
}

std::string WhyNotPassable(std::string_view name) {
    if (PassesAsArgument(name)) return {};
    if (name.find('"') != std::string_view::npos)
        return "its name holds a double quote, which no command line can pass to the program.";
    return "the program takes its name for the request to start in the tray.";
}

std::vector<std::pair<std::string, std::string>> MenuConfigurations(SettingsFile& settings) {
    const SettingsFile::Snapshot once(settings);
    std::vector<std::pair<std::string, std::string>> offered;
    for (auto& [key, name] : settings.ReadSectionValues(settings::kConfigurations))
        if (settings.ReadBool(key, settings::kShowInMenu, false))
            offered.emplace_back(std::move(key), std::move(name));
    return offered;
}

}  // namespace vt
