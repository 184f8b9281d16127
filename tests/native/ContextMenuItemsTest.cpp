// The Explorer menu's items from the settings file: which, in what order, from no file or a held
// one, and their texts and verbs.
#include <gtest/gtest.h>

#include "core/CommandLine.h"
#include "shellext/ContextMenuItems.h"
#include "tests/fakes/FakeFileStore.h"

namespace vt {
namespace {

constexpr char kPath[] = "C:\\VT\\LocalSettings.Ini";
using Names = std::vector<std::string>;

TEST(ContextMenuItemsTest, TheConfigurationsShownInMenusInFileOrder) {
    fakes::FakeFileStore files;
    EXPECT_EQ(ContextMenuConfigurations(files, kPath), Names{});  // no file
    files.Put(kPath,
              "[Configurations]\r\n{K3}=Lab & Test\r\n{K1}=Home Office\r\n{K2}=Hidden\r\n"
              "{K4}=Say \"hi\"\r\n{K5}={1193b663-4421-44c4-9523-35dc33c01133}\r\n"
              "[{k3}]\r\nShowInMenu=1\r\n[{K1}]\r\nShowInMenu=1\r\n[{K2}]\r\nShowInMenu=0\r\n"
              "[{K4}]\r\nShowInMenu=1\r\n[{K5}]\r\nShowInMenu=1\r\n");
    // Section names fold as the program folds them; names no command line passes as themselves
    // are left out.
    EXPECT_EQ(ContextMenuConfigurations(files, kPath), (Names{"Lab & Test", "Home Office"}));
    files.unreadableReads = 1000;  // held by another program for longer than the menu waits
    EXPECT_EQ(ContextMenuConfigurations(files, kPath), Names{});
}

TEST(ContextMenuItemsTest, TextsVerbsAndTheArgumentsAnItemStarts) {
    EXPECT_EQ(MenuItemText("Lab & Test"), "Lab && Test");
    EXPECT_EQ(ApplyVerb("Home Office"), "VelmoraTarvello.Apply:Home Office");
    EXPECT_EQ(NameOfApplyVerb(ApplyVerb("Home Office")), "Home Office");
    EXPECT_EQ(NameOfApplyVerb(kOpenVerb), std::nullopt);
    EXPECT_EQ(NameOfApplyVerb("VelmoraTarvello.Apply:"), std::nullopt);
    // Verbs compare without letter case, names as the settings file folds them.
    const Names names{"Home Office", "Caf\xE9"};
    EXPECT_EQ(ItemOfVerb("velmoratarvello.OPEN", names), 2u);
    EXPECT_EQ(ItemOfVerb("VELMORATARVELLO.APPLY:CAF\xC9", names), 1u);
    EXPECT_EQ(ItemOfVerb("VelmoraTarvello.Apply:Home", names), std::nullopt);
    EXPECT_EQ(ItemOfVerb("Open", names), std::nullopt);
    EXPECT_EQ(ApplyArguments("Home Office", false), "\"Home Office\"");
}

}  // namespace
}  // namespace vt
