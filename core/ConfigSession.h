// The settings file and the managed cards, and what every caller of an apply does with them that
// is not about a window: the busy marks, the configurations' names, the cards the adapter filter
// names. The window, apply mode and the tray each hold one; the apply flow works on it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/ApplyEngine.h"
#include "core/CardSet.h"
#include "core/SettingsFile.h"
#include "platform/Platform.h"

namespace vt {

class ConfigSession {
  public:
    explicit ConfigSession(Platform& platform) : platform(platform) {}
    ConfigSession(const ConfigSession&) = delete;
    ConfigSession& operator=(const ConfigSession&) = delete;

    Platform& platform;

    void OpenSettings(const std::string& path);
    // Raises while nobody has opened it.
    SettingsFile& Settings();
    SettingsFile* SettingsIfOpen() { return settings_.get(); }

    // The managed cards; `LoadCards` fills them by the adapter filter of the settings file, with
    // their devices' friendly names unless `withNames` is off.
    CardSet& Cards() { return cards_; }
    const CardSet& Cards() const { return cards_; }
    void LoadCards(bool withNames);

    ApplyMarks& Marks() { return marks_; }

    // An apply's context on the cards as they are now, its message boxes owned by `owner`.
    ApplyContext ApplyContextFor(WindowHandle owner);

    // A new configuration under "New Configuration" and the first number that neither the file
    // nor `shown` (the names a window shows) has, in the menus when DefaultAddToMenu says so;
    // gives its name.
    std::string AddConfiguration(const std::string& key,
                                 const std::function<bool(const std::string&)>& shown);
    // Both directions of the name in one write, checked against the file under its lock; false
    // when another copy gave the name to another configuration meanwhile.
    bool RenameConfiguration(const std::string& key, const std::string& oldName,
                             const std::string& newName);
    // The configuration with its records for every managed card, in one write: a refusal keeps
    // all of it.
    void DeleteConfiguration(const std::string& key, const std::string& name);

  private:
    std::unique_ptr<SettingsFile> settings_;
    CardSet cards_;
    ApplyMarks marks_;
};

}  // namespace vt
