// The session's settings file, cards and name sections.
#include "core/ConfigSession.h"

#include "base/Error.h"
#include "core/ConfigNames.h"
#include "core/ConfigRecords.h"
#include "core/SettingsLayout.h"

namespace vt {

void ConfigSession::OpenSettings(const std::string& path) {
    settings_ = std::make_unique<SettingsFile>(platform.files, path);
}

SettingsFile& ConfigSession::Settings() {
    if (!settings_) throw Error("The settings file is not open.");
    return *settings_;
}

void ConfigSession::LoadCards(bool withNames) {
    cards_.Load(platform.registry, platform.devices,
                Settings().ReadString(settings::kOptions, settings::kFilters, ""), withNames);
}

ApplyContext ConfigSession::ApplyContextFor(WindowHandle owner) {
    return ApplyContext{platform, Settings(), cards_.List(), marks_, owner};
}

std::string ConfigSession::AddConfiguration(const std::string& key,
                                            const std::function<bool(const std::string&)>& shown) {
    SettingsFile& settings = Settings();
    const bool inMenu = settings.ReadBool(settings::kOptions, settings::kDefaultAddToMenu, true);
    std::string name;
    settings.Update([&](SettingsFile::Batch& batch) {
        // Free in the file too: another copy may have added one since.
        for (int n = 1; name.empty(); ++n) {
            std::string candidate = "New Configuration" + std::to_string(n);
            if (!shown(candidate) && !NameTakenInFile(batch, candidate))
                name = std::move(candidate);
        }
        batch.WriteString(settings::kConfigurations, key, name);
        batch.WriteString(settings::kFriendlyName, name, key);
        if (inMenu) batch.WriteBool(key, settings::kShowInMenu, true);
    });
    return name;
}

bool ConfigSession::RenameConfiguration(const std::string& key, const std::string& oldName,
                                        const std::string& newName) {
    // A refusal half-way, or a name another copy gave meanwhile, would leave a name that finds no
    // configuration, or another one.
    bool taken = false;
    Settings().Update([&](SettingsFile::Batch& batch) {
        RequireConfiguration(batch, key, oldName);
        taken = NameTakenInFile(batch, newName, key);
        if (taken) return;
        batch.WriteString(settings::kConfigurations, key, newName);
        batch.DeleteKey(settings::kFriendlyName, oldName);
        batch.WriteString(settings::kFriendlyName, newName, key);
    });
    return !taken;
}

void ConfigSession::DeleteConfiguration(const std::string& key, const std::string& name) {
    Settings().Update([&](SettingsFile::Batch& batch) {
        for (const TACard& card : cards_.List())
            batch.EraseSection(CardSectionName(key, card.CfgInstanceId));
        batch.EraseSection(key);
        batch.DeleteKey(settings::kConfigurations, key);
        batch.DeleteKey(settings::kFriendlyName, name);
    });
}

}  // namespace vt
