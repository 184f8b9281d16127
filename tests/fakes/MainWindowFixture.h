// A started main window on fakes: two cards ("LAN" {CA}, "WLAN" {CB}) and a settings file, for the
// tests of the parts that use the frame, the status panel or the tray.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/SettingsLayout.h"
#include "tests/fakes/FakeMainWindow.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/PartsFixture.h"

namespace vt::fakes {

class MainWindowFixture : public ::testing::Test, protected FakePlatform {
  protected:
    static constexpr char kPath[] = "C:\\Tools\\LocalSettings.Ini";
    MainWindowFixture() { view.Attach(form); }

    void Card(const std::string& subkey, const std::string& id, const std::string& name) {
        const std::string classKey = std::string(kAdapterClassKey) + "\\" + subkey;
        registry.store.SeedString(classKey, "NetCfgInstanceId", id);
        registry.store.SeedString(classKey, "DriverDesc", name + " adapter");
        registry.store.SeedString(classKey + "\\Ndi\\Interfaces", "LowerRange", "ethernet");
        registry.store.SeedString(ConnectionKeyPath(id), "Name", name);
    }
    // Starts with the two cards and the settings text.
    void Start(const std::string& ini) {
        Card("0000", "{CA}", "LAN");
        Card("0001", "{CB}", "WLAN");
        files.Put(kPath, ini);
        form.FormCreate();
    }
    std::string Ini() { return files.Content(kPath); }
    std::string Read(const std::string& section, const std::string& key) {
        return form.State.Settings().ReadString(section, key, "<none>");
    }
    TConfigNode* Node(const std::string& name) { return view.Node(name); }

    FakeMainWindow view;
    TfrmMain form{platform, view.Views()};
};

}  // namespace vt::fakes
