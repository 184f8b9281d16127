// A started main window on fakes: two cards ("LAN" {CA}, "WLAN" {CB}) and a settings file, for the
// tests of the tree, the tabs and the editor.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/SettingsLayout.h"
#include "tests/fakes/FakeMainWindow.h"
#include "tests/fakes/FakePlatform.h"

namespace vt::fakes {

class MainWindowFixture : public ::testing::Test, protected FakePlatform {
  protected:
    static constexpr char kPath[] = "C:\\Tools\\LocalSettings.Ini";
    MainWindowFixture() { view.form = &form; }

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
        return form.Settings().ReadString(section, key, "<none>");
    }
    TConfigNode* Node(const std::string& name) { return view.Node(name); }

    FakeMainWindow view;
    TfrmMain form{platform, view.Views()};
};

// Office {K1} changes the LAN card (static 10.0.0.2/255.0.0.0); Home {K2} changes nothing.
inline std::string TwoConfigurations() {
    return "[Configurations]\r\n{K1}=Office\r\n{K2}=Home\r\n"
           "[FriendlyName]\r\nOffice={K1}\r\nHome={K2}\r\n"
           "[{K1}{CA}]\r\nToConfig=1\r\nToEnable=1\r\nAutoDHCP=0\r\nAutoDNS=0\r\nIPCount=2\r\n"
           "IPAddr0=10.0.0.2\r\nSubnetMask0=255.0.0.0\r\nIPAddr1=10.0.0.3\r\nSubnetMask1=255.255.0.0\r\n"
           "GatewayCount=1\r\nGateway0=10.0.0.1\r\nDNSCount=1\r\nDNSAddr0=10.0.0.53\r\n"
           "[{K1}{CB}]\r\nToConfig=0\r\n";
}

}  // namespace vt::fakes
