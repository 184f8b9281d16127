// The real program's live status and tray start under Wine: a card that the IP stack lists shows
// its registry addresses within a second, the program ends promptly while its refresh thread
// runs, and the tray start shows no window.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <string>
#include <vector>

#include "tests/e2e/win32/ProcessDriver.h"
#include "tests/win32/RegistrySeed.h"
#include "tests/win32/TempFolder.h"
#include "ui/win32/MainWindowIds.h"

namespace vt::e2e {
namespace {

using vt::testing::TempFolder;

constexpr char kSubkey[] = "9401";

// The name of an adapter that the IP stack lists on this machine with its addresses shown: one
// that is up, else one without DHCP (a card that is down and on DHCP shows no addresses).
std::string LiveAdapterName() {
    ULONG size = 0;
    GetAdaptersInfo(nullptr, &size);
    std::vector<char> buffer(size ? size : 1);
    if (GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size) != NO_ERROR)
        return std::string();
    std::string staticOne;
    for (auto* info = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()); info; info = info->Next) {
        MIB_IFROW row{};
        row.dwIndex = info->Index;
        if (GetIfEntry(&row) == NO_ERROR && row.dwOperStatus == MIB_IF_OPER_STATUS_OPERATIONAL)
            return info->AdapterName;
        if (!info->DhcpEnabled && staticOne.empty()) staticOne = info->AdapterName;
    }
    return staticOne;
}

std::string ItemText(HWND control) {
    char text[1024] = {};
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(StatusAndTrayE2E, TheMemoShowsTheCardsAddressesAndTheProgramEndsPromptly) {
    const std::string live = LiveAdapterName();
    ASSERT_FALSE(live.empty()) << "the IP stack lists no adapter here that shows addresses";
    vt::testing::SeedAdapter(kSubkey, live, "ethernet", "Live connection", "ROOT\\NET\\9401");
    const std::string key =
        "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\" + live;
    for (const char* prefix : {"", "DHCP"}) {  // whatever the stack says of DHCP
        vt::testing::SetValue(key, (std::string(prefix) + "IPAddress").c_str(), REG_MULTI_SZ,
                              std::string("192.0.2.77\0\0", 12));
        vt::testing::SetValue(key, (std::string(prefix) + "SubnetMask").c_str(), REG_MULTI_SZ,
                              std::string("255.255.255.0\0\0", 15));
    }
    TempFolder folder("e2e-status");
    TempFolder::WriteFile(folder.File("LocalSettings.Ini"),
                          "[Options]\r\nFilters=" + live + ",\r\n");
    {
        ProgramRun run(folder.Path(), "");
        HWND window = run.WaitForWindow("TfrmMain");
        ASSERT_NE(window, nullptr);
        HWND memo = GetDlgItem(GetDlgItem(window, vt::win32::kIdCardPage), vt::win32::kIdStatusMemo);
        const DWORD shown = GetTickCount();
        EXPECT_TRUE(ProgramRun::WaitUntil(
            [&] { return ItemText(memo).find("192.0.2.77") != std::string::npos; }, 1000))
            << ItemText(memo);
        EXPECT_NE(ItemText(memo).find("\r\n255.255.255.0\r\n"), std::string::npos);
        std::printf("      (addresses shown %lu ms after the window)\n", GetTickCount() - shown);
        const DWORD closing = GetTickCount();
        EXPECT_EQ(run.CloseAndWait(window), 0);
        EXPECT_LT(GetTickCount() - closing, 3000u);
    }
    vt::testing::RemoveAdapter(kSubkey, live);
    vt::testing::DeleteTree(key);
}

TEST(StatusAndTrayE2E, TrayStartShowsNoWindowAndEndsWhenClosed) {
    TempFolder folder("e2e-tray");
    ProgramRun run(folder.Path(), "{1193B663-4421-44C4-9523-35DC33C01133}");
    HWND hidden = nullptr;
    ASSERT_TRUE(ProgramRun::WaitUntil([&] {
        return (hidden = FindWindowA("TfrmMain", "Velmora Tarvello 1.50")) != nullptr;
    }));
    Sleep(300);
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_FALSE(run.MainWindowEverShown());
    EXPECT_EQ(run.CloseAndWait(hidden), 0);
}

}  // namespace
}  // namespace vt::e2e
