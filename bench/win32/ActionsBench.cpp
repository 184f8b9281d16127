// User actions on a large settings file, in the real program under Wine: the tray menu and the
// Options dialog with 10,000 configurations, selecting a record of 4,096 addresses, and Explorer's
// menu from the extension with the 1,000 of them shown in menus.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/win32/Median.h"
#include "tests/e2e/win32/ProcessDriver.h"
#include "tests/win32/RegistrySeed.h"
#include "tests/win32/TempFolder.h"
#include "ui/win32/MainWindowIds.h"

using vt::bench::Median;
using vt::e2e::ProgramRun;

namespace {

constexpr int kConfigurations = 10000;
constexpr int kAddresses = 4096;
constexpr char kSubkey[] = "9501";
constexpr char kCard[] = "{BE4CACB0-0000-4000-8000-000000000001}";

std::string Key(int i) {
    char text[40];
    wsprintfA(text, "{BE4CAC00-0000-4000-8000-%012d}", i);
    return text;
}

// Every tenth configuration in the tray menu; the first one's record for the card holds 4,096
// addresses under a count far beyond that.
std::string LargeSettings() {
    std::string text = "[Options]\r\nFilters=" + std::string(kCard) + ",\r\n[Configurations]\r\n";
    std::string names = "[FriendlyName]\r\n", menu;
    for (int i = 0; i < kConfigurations; ++i) {
        const std::string name = "Configuration " + std::to_string(i);
        text += Key(i) + "=" + name + "\r\n";
        names += name + "=" + Key(i) + "\r\n";
        menu += "[" + Key(i) + "]\r\nShowInMenu=" + (i % 10 == 0 ? "1" : "0") + "\r\n";
    }
    std::string record =
        "[" + Key(0) + kCard + "]\r\nToConfig=1\r\nAutoDHCP=0\r\nIPCount=100000000\r\n";
    for (int i = 0; i < kAddresses; ++i) {
        const std::string n = std::to_string(i);
        record += "IPAddr" + n + "=10." + std::to_string(i / 256) + "." + std::to_string(i % 256) +
                  ".1\r\nSubnetMask" + n + "=255.255.255.0\r\n";
    }
    return text + names + menu + record;
}

double Ms(LARGE_INTEGER start) {
    LARGE_INTEGER end, frequency;
    QueryPerformanceCounter(&end);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

HTREEITEM TreeItem(HWND tree, int index) {
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    while (item && index-- > 0)
        item = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    return item;
}

// Explorer's menu of the network place from the extension beside the settings: the file read and
// the submenu built, as each right click does (no registration: the class comes from the DLL).
std::vector<double> ExplorerMenus(const vt::testing::TempFolder& folder, int runs) {
    std::vector<double> times;
    folder.CopyFromBuild("contmenu.dll");
    HMODULE library = LoadLibraryA(folder.File("contmenu.dll").c_str());
    using GetClassObject = HRESULT(__stdcall*)(REFCLSID, REFIID, void**);
    const auto get = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")));
    CLSID clsid{};
    CLSIDFromString(L"{F0F426D5-5761-43C8-A7DF-6602CC36D501}", &clsid);
    IClassFactory* factory = nullptr;
    IContextMenu* extension = nullptr;
    if (get && SUCCEEDED(get(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
        factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&extension));
    for (int i = 0; extension && i < runs; ++i) {
        HMENU menu = CreatePopupMenu();
        const LARGE_INTEGER start = Now();
        const HRESULT taken = extension->QueryContextMenu(menu, 0, 1, 0x7FFF, CMF_NORMAL);
        times.push_back(Ms(start));
        DestroyMenu(menu);
        if (HRESULT_CODE(taken) != kConfigurations / 10 + 1) return {};
    }
    if (extension) extension->Release();
    if (library) FreeLibrary(library);
    return times;
}

}  // namespace

int main() {
    vt::testing::SeedAdapter(kSubkey, kCard, "ethernet", "Bench connection",
                             std::string("ROOT\\NET\\") + kSubkey);
    vt::testing::TempFolder folder("actions-bench");
    vt::testing::TempFolder::WriteFile(folder.File("LocalSettings.Ini"), LargeSettings());

    constexpr int kRuns = 7;
    std::vector<double> tray, options, selection;
    {
        ProgramRun run(folder.Path(), "");
        HWND window = run.WaitForWindow("TfrmMain", 60000);
        HWND tree = window ? FindWindowExA(window, nullptr, WC_TREEVIEWA, nullptr) : nullptr;
        for (int i = 0; window && tree && i < kRuns; ++i) {
            LARGE_INTEGER start = Now();
            PostMessageA(window, vt::win32::WM_TRAYICON, 0, WM_RBUTTONDOWN);
            if (!ProgramRun::WaitUntil([] { return FindWindowA("#32768", nullptr) != nullptr; },
                                       30000))
                break;
            tray.push_back(Ms(start));
            run.CloseMenu(window);

            start = Now();
            PostMessageA(window, WM_COMMAND, vt::win32::kCmdOptions, 0);
            HWND dialog = nullptr;
            if (!ProgramRun::WaitUntil(
                    [&] { return (dialog = FindWindowA("#32770", "Options")) != nullptr; }, 30000))
                break;
            options.push_back(Ms(start));
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);

            SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                         reinterpret_cast<LPARAM>(TreeItem(tree, 1)));
            start = Now();
            SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                         reinterpret_cast<LPARAM>(TreeItem(tree, 0)));
            selection.push_back(Ms(start));
        }
        if (window) run.CloseAndWait(window);
    }
    vt::testing::RemoveAdapter(kSubkey, kCard);
    const std::vector<double> explorer = ExplorerMenus(folder, kRuns);
    if (tray.empty() || options.empty() || selection.empty() || explorer.empty()) {
        std::printf("User actions on a large settings file: the program could not be driven\n");
        return 1;
    }
    std::printf(
        "User actions with %d configurations (%d runs, medians): tray menu %.0f ms, Options %.0f "
        "ms; selecting a record of %d addresses %.0f ms; Explorer's menu of %d configurations "
        "%.1f ms\n",
        kConfigurations, static_cast<int>(tray.size()), Median(tray), Median(options), kAddresses,
        Median(selection), kConfigurations / 10, Median(explorer));
    return 0;
}
