// The configuration tree, the card tabs and the settings editor over their shared state, each on
// a small fake of its own view, without a form or a frame: two cards ("LAN" {CA}, "WLAN" {CB})
// and a settings file.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/SettingsLayout.h"
#include "tests/fakes/FakeEditorView.h"
#include "tests/fakes/FakeKeepHost.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/FakeTabsView.h"
#include "tests/fakes/FakeTreeView.h"

namespace vt::fakes {

class PartsFixture : public ::testing::Test, protected FakePlatform {
  protected:
    static constexpr char kPath[] = "C:\\Tools\\LocalSettings.Ini";
    PartsFixture() {
        view.tree = &tree;
        view.cardTabs = &cardTabs;
        view.editor = &editor;
        editor.EnsureConfiguration = [this] {
            if (tree.Nodes().empty()) tree.actAddExecute();
        };
    }

    // The settings text's configurations in the tree, the cards in the tabs, the first tab
    // selected, no configuration: as the window starts.
    void Start(const std::string& ini, bool withCards = true) {
        if (withCards) {
            SeedCard("0000", "{CA}", "LAN");
            SeedCard("0001", "{CB}", "WLAN");
        }
        session.Cards().Load(registry, devices, "", true);
        files.Put(kPath, ini);
        session.OpenSettings(kPath);
        for (const auto& [key, name] : Settings().ReadSectionValues(settings::kConfigurations)) {
            const FormState::UpdatingScope updating(state);
            tree.AddConfigNode(key, name, false, 0);
        }
        editor.ShowStartState();
        cardTabs.FillCardTabs();
    }
    SettingsFile& Settings() { return session.Settings(); }
    std::string Ini() { return files.Content(kPath); }
    std::string Read(const std::string& section, const std::string& key) {
        return Settings().ReadString(section, key, "<none>");
    }
    TConfigNode* Node(const std::string& name) { return view.Node(name); }

    struct Views : FakeTreeView, FakeTabsView, FakeEditorView {} view;
    ConfigSession session{platform};
    FormState state{prompts, 0x1234, view};
    FakeKeepHost keepHost{&system};
    WindowApplyHost applyHost{prompts, system, 0x1234, keepHost};
    ApplyFlow applying{session, applyHost};
    SettingsEditor editor{session, state, applying, view};
    CardTabs cardTabs{session, state, editor, view};
    ConfigTree tree{session, state, editor, applying, view};
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
