// The Explorer extension through Wine's real COM and registry: its keys, the per-user branch, the
// menu it adds from the settings beside it, its texts, and when it lets itself be unloaded.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "shellext/win32/Registration.h"
#include "tests/win32/RegistrySeed.h"
#include "tests/win32/TempFolder.h"

namespace vt {
namespace {

using vt::testing::TempFolder;
using vt::win32::kExtensionClsid;

const std::string kClassKey = std::string("Software\\Classes\\CLSID\\") + kExtensionClsid;
std::string HandlerKey(const char* folder) {
    return std::string("Software\\Classes\\CLSID\\") + folder +
           "\\shellex\\ContextMenuHandlers\\VelmoraTarvello";
}

// A string value under a root, or "<missing>".
std::string Text(HKEY root, const std::string& path, const char* name = nullptr) {
    char value[MAX_PATH] = {};
    DWORD size = sizeof value, type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "<missing>";
    const LONG result =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_SZ ? value : "<missing>";
}

// What registration leaves under a root: every key and value it writes, in order.
std::vector<std::string> Registered(HKEY root) {
    std::vector<std::string> seen = {Text(root, kClassKey),
                                     Text(root, kClassKey + "\\InprocServer32"),
                                     Text(root, kClassKey + "\\InprocServer32", "ThreadingModel")};
    for (const char* folder : vt::win32::kNetworkFolderClsids)
        seen.push_back(Text(root, HandlerKey(folder)));
    return seen;
}
std::vector<std::string> RegisteredAs(const std::string& dll) {
    return {"Velmora Tarvello context menu", dll, "Apartment", kExtensionClsid, kExtensionClsid};
}
const std::vector<std::string> kNothing(5, "<missing>");

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

class ContextMenuExtensionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.CopyFromBuild("contmenu.dll");
        library = LoadLibraryA(dll.c_str());
        ASSERT_NE(library, nullptr);
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    }
    void TearDown() override {
        Call("DllUnregisterServer");
        CoUninitialize();
        FreeLibrary(library);
    }
    HRESULT Call(const char* exportName) {
        using Entry = HRESULT(__stdcall*)();
        auto entry =
            reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library, exportName)));
        return entry ? entry() : E_NOTIMPL;
    }
    // The extension as Explorer makes it for the network place's menu.
    IContextMenu* Extension() {
        CLSID clsid{};
        CLSIDFromString(L"{F0F426D5-5761-43C8-A7DF-6602CC36D501}", &clsid);
        IShellExtInit* init = nullptr;
        if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                    reinterpret_cast<void**>(&init))))
            return nullptr;
        PIDLIST_ABSOLUTE network = nullptr;
        SHGetSpecialFolderLocation(nullptr, CSIDL_NETWORK, &network);
        EXPECT_EQ(init->Initialize(network, nullptr, nullptr), S_OK);
        CoTaskMemFree(network);
        IContextMenu* menu = nullptr;
        init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu));
        init->Release();
        return menu;
    }
    // The submenu's item texts ("-" for a separator), and how many ids the extension took.
    static std::vector<std::string> Items(IContextMenu& extension, UINT flags, HRESULT& taken) {
        HMENU menu = CreatePopupMenu();
        taken = extension.QueryContextMenu(menu, 0, 100, 0x7FFF, flags);
        std::vector<std::string> items;
        char text[128] = {};
        if (GetMenuItemCount(menu) == 1) {
            GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
            items.push_back(std::string(text) + ":");
            HMENU sub = GetSubMenu(menu, 0);
            for (int i = 0; sub && i < GetMenuItemCount(sub); ++i) {
                text[0] = '\0';
                GetMenuStringA(sub, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
                const UINT id = GetMenuItemID(sub, i);
                items.push_back(id == 0 ? "-" : std::to_string(id) + " " + text);
            }
        }
        DestroyMenu(menu);
        return items;
    }

    TempFolder folder{"contmenu"};
    const std::string dll = folder.File("contmenu.dll");
    HMODULE library = nullptr;
};

TEST_F(ContextMenuExtensionTest,
       RegistrationWritesItsKeysForTheMachineAndUnregistrationRemovesThem) {
    EXPECT_EQ(Call("DllUnregisterServer"), S_OK);  // nothing to do
    EXPECT_EQ(Call("DllRegisterServer"), S_OK);
    EXPECT_EQ(Registered(HKEY_LOCAL_MACHINE), RegisteredAs(dll));  // Wine lets this process
    EXPECT_EQ(Registered(HKEY_CURRENT_USER), kNothing);
    EXPECT_EQ(Call("DllUnregisterServer"), S_OK);
    EXPECT_EQ(Registered(HKEY_LOCAL_MACHINE), kNothing);
    EXPECT_EQ(Call("DllUnregisterServer"), S_OK);
}

// Where the machine's classes refuse (a user who is no administrator), the user's get the keys.
TEST_F(ContextMenuExtensionTest, WithoutTheMachinesClassesTheUserIsRegistered) {
    const std::string machinePath = "SOFTWARE\\VelmoraTarvelloTest\\Machine";
    ASSERT_TRUE(vt::testing::DenyAllAccess(machinePath + "\\Software\\Classes"));
    HKEY machine = nullptr, user = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, machinePath.c_str(), 0, KEY_ALL_ACCESS, &machine),
              ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\VelmoraTarvelloTest", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &user, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(vt::win32::RegisterExtension(machine, user, dll), S_OK);
    EXPECT_EQ(Registered(user), RegisteredAs(dll));
    EXPECT_EQ(vt::win32::UnregisterExtension(machine, user), S_OK);
    EXPECT_EQ(Registered(user), kNothing);
    // Nothing of ours is left in the user's classes, not even the folders' empty keys.
    for (const char* folder : vt::win32::kNetworkFolderClsids)
        EXPECT_FALSE(KeyExists(user, std::string("Software\\Classes\\CLSID\\") + folder)) << folder;

    // Registered for the machine, and this process may not remove it: unregistering says so.
    ASSERT_TRUE(vt::testing::DenyAllAccess(machinePath + "\\Software\\Classes", true));
    EXPECT_EQ(vt::win32::RegisterExtension(machine, user, dll), S_OK);
    EXPECT_EQ(Registered(machine), RegisteredAs(dll));
    // (Wine lets an administrator delete whatever the access list says; a key with a subkey is
    // refused to everyone, with the same error a user without rights gets.)
    const std::string blocker = HandlerKey(vt::win32::kNetworkFolderClsids[0]) + "\\Held";
    HKEY held = nullptr;
    ASSERT_EQ(RegCreateKeyExA(machine, blocker.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &held, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(held);
    EXPECT_EQ(vt::win32::UnregisterExtension(machine, user), E_ACCESSDENIED);
    RegDeleteKeyA(machine, blocker.c_str());
    EXPECT_EQ(vt::win32::UnregisterExtension(machine, user), S_OK);
    EXPECT_EQ(Registered(machine), kNothing);
    RegCloseKey(machine);
    RegCloseKey(user);
    vt::testing::DenyAllAccess(machinePath + "\\Software\\Classes", true);
    vt::testing::DeleteTree("SOFTWARE\\VelmoraTarvelloTest");
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\VelmoraTarvelloTest");
}

TEST_F(ContextMenuExtensionTest, TheMenuListsTheConfigurationsShownInMenusFromTheFileBesideIt) {
    ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    const std::string settings = folder.File("LocalSettings.Ini");
    const std::string ini =
        "[Configurations]\r\n{K2}=Home & Lab\r\n{K1}=Office\r\n{K3}=Hidden\r\n"
        "[{K1}]\r\nShowInMenu=1\r\n[{K2}]\r\nShowInMenu=1\r\n[{K3}]\r\nShowInMenu=0\r\n";
    TempFolder::WriteFile(settings, ini);
    IContextMenu* extension = Extension();
    ASSERT_NE(extension, nullptr);
    HRESULT taken = E_FAIL;
    EXPECT_EQ(Items(*extension, CMF_NORMAL, taken),
              (std::vector<std::string>{"Velmora Tarvello:", "100 Home && Lab", "101 Office", "-",
                                        "102 &Open Velmora Tarvello"}));
    EXPECT_EQ(HRESULT_CODE(taken), 3);
    char help[64] = {};
    EXPECT_EQ(extension->GetCommandString(1, GCS_HELPTEXTA, nullptr, help, sizeof help), S_OK);
    EXPECT_STREQ(help, "Apply Office");
    WCHAR verb[64] = {};
    EXPECT_EQ(extension->GetCommandString(0, GCS_VERBW, nullptr, reinterpret_cast<CHAR*>(verb), 64),
              S_OK);
    EXPECT_STREQ(verb, L"VelmoraTarvello.Apply:Home & Lab");
    EXPECT_EQ(extension->GetCommandString(3, GCS_VERBA, nullptr, help, sizeof help), E_INVALIDARG);
    EXPECT_EQ(Items(*extension, CMF_DEFAULTONLY, taken), std::vector<std::string>{});

    // The next menu reads the file again: a configuration offered meanwhile shows, one no longer
    // offered goes; an unreadable file leaves only "Open".
    std::string changed = ini;
    changed.replace(changed.find("[{K3}]\r\nShowInMenu=0"), 20, "[{K3}]\r\nShowInMenu=1");
    changed.replace(changed.find("[{K2}]\r\nShowInMenu=1"), 20, "[{K2}]\r\nShowInMenu=0");
    TempFolder::WriteFile(settings, changed);
    EXPECT_EQ(Items(*extension, CMF_NORMAL, taken),
              (std::vector<std::string>{"Velmora Tarvello:", "100 Office", "101 Hidden", "-",
                                        "102 &Open Velmora Tarvello"}));
    {
        vt::testing::HeldFile held(settings, 3000);
        const DWORD start = GetTickCount();
        EXPECT_EQ(Items(*extension, CMF_NORMAL, taken),
                  (std::vector<std::string>{"Velmora Tarvello:", "100 &Open Velmora Tarvello"}));
        EXPECT_LT(GetTickCount() - start, 1000u);  // Explorer is not held up
    }
    // Larger than any menu needs: not read at all, only "Open" offered.
    TempFolder::WriteFile(settings, changed + "[Padding]\r\n" + std::string(9u << 20, ';'));
    EXPECT_EQ(Items(*extension, CMF_NORMAL, taken),
              (std::vector<std::string>{"Velmora Tarvello:", "100 &Open Velmora Tarvello"}));
    using CanUnload = HRESULT(__stdcall*)();
    const auto canUnload = reinterpret_cast<CanUnload>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllCanUnloadNow")));
    EXPECT_EQ(canUnload(), S_FALSE);  // the extension lives
    extension->Release();
    EXPECT_EQ(canUnload(), S_OK);
}

// What an item starts, with the stand-in for the program beside the extension: the arguments it
// was given, or "<not started>".
class InvokedItems : public ContextMenuExtensionTest {
  protected:
    void SetUp() override {
        ContextMenuExtensionTest::SetUp();
        ASSERT_EQ(Call("DllRegisterServer"), S_OK);
        CopyFileA((vt::testing::BuildFolder() + "vt_record_arguments.exe").c_str(),
                  folder.File("VelmoraTarvello.exe").c_str(), FALSE);
        TempFolder::WriteFile(folder.File("LocalSettings.Ini"),
                              "[Configurations]\r\n{K1}=Home & Lab\r\n{K2}=Office\r\n"
                              "[{K1}]\r\nShowInMenu=1\r\n[{K2}]\r\nShowInMenu=1\r\n");
        extension = Extension();
        ASSERT_NE(extension, nullptr);
        HRESULT taken = E_FAIL;
        Items(*extension, CMF_NORMAL, taken);
        ASSERT_EQ(HRESULT_CODE(taken), 3);
    }
    void TearDown() override {
        if (extension) extension->Release();
        ContextMenuExtensionTest::TearDown();
    }
    // Invokes with the verb in the form given, and waits for what the stand-in writes.
    std::string Started(const char* ansiVerb, const wchar_t* wideVerb, bool unicode,
                        HRESULT& result) {
        const std::string written = folder.File("arguments.txt");
        DeleteFileA(written.c_str());
        CMINVOKECOMMANDINFOEX info{};
        info.cbSize = sizeof info;
        info.fMask = unicode ? CMIC_MASK_UNICODE : 0;
        info.lpVerb = ansiVerb;
        info.lpVerbW = wideVerb;
        info.nShow = SW_SHOWNORMAL;
        result = extension->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&info));
        if (FAILED(result)) return "<not started>";
        for (int waited = 0; waited < 20000; waited += 20, Sleep(20))
            if (GetFileAttributesA(written.c_str()) != INVALID_FILE_ATTRIBUTES)
                return TempFolder::ReadFile(written);
        return "<started, nothing written>";
    }
    IContextMenu* extension = nullptr;
};

// The verb is taken from the form the caller uses: a Unicode verb with no ANSI one is that verb,
// never offset 0 (the first configuration); verbs compare without letter case; an offset counts
// only where the two forms agree; a verb that converts to ANSI only by look-alikes names nothing.
TEST_F(InvokedItems, EachFormOfVerbStartsWhatItNames) {
    HRESULT result = E_FAIL;
    EXPECT_EQ(Started(nullptr, L"VelmoraTarvello.Open", true, result), "");
    EXPECT_EQ(Started(nullptr, L"velmoratarvello.apply:OFFICE", true, result), "\"Office\"");
    EXPECT_EQ(Started("VELMORATARVELLO.APPLY:home & lab", nullptr, false, result),
              "\"Home & Lab\"");
    EXPECT_EQ(Started(MAKEINTRESOURCEA(1), nullptr, false, result), "\"Office\"");
    EXPECT_EQ(Started(MAKEINTRESOURCEA(1), MAKEINTRESOURCEW(1), true, result), "\"Office\"");
    EXPECT_EQ(Started(MAKEINTRESOURCEA(1), MAKEINTRESOURCEW(2), true, result), "<not started>");
    EXPECT_EQ(result, E_INVALIDARG);
    EXPECT_EQ(Started(nullptr, L"VelmoraTarvello.Apply:Offic\x0435", true, result),
              "<not started>");
    EXPECT_EQ(Started(MAKEINTRESOURCEA(3), nullptr, false, result), "<not started>");
}

}  // namespace
}  // namespace vt
