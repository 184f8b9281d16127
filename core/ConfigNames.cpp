// Display names against the settings file's rules.
#include "core/ConfigNames.h"

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

}  // namespace vt
