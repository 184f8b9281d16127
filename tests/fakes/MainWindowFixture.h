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
    MainWindowFixture() { view.keep.clock = &system; }
    // Starts with the two cards and the settings text.
    void Start(const std::string& ini) {
        SeedCard("0000", "{CA}", "LAN");
        SeedCard("0001", "{CB}", "WLAN");
        files.Put(kPath, ini);
        form->FormCreate();
    }
    std::string Ini() { return files.Content(kPath); }
    std::string Read(const std::string& section, const std::string& key) {
        return form->Session.Settings().ReadString(section, key, "<none>");
    }
    TConfigNode* Node(const std::string& name) { return view.Node(name); }

    FakeMainWindow view;
    FormOnFakes form{platform, view, system.commandLine};
};

}  // namespace vt::fakes
