// The status refresh under Wine: a refresh cycle's two parts with 8 managed cards in the real
// window (the snapshot the refresh thread takes, the panel the GUI thread rebuilds from it), and
// the whole program's CPU over 10 idle seconds with its window shown, in the tray, and shown with
// the refresh thread stopped.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/Win32Platform.h"
#include "bench/win32/Median.h"
#include "tests/win32/RegistrySeed.h"
#include "tests/win32/TempFolder.h"

using vt::bench::Median;
#include "net/AdapterStatus.h"
#include "ui/MainWindow.h"
#include "ui/win32/MainWindowIds.h"
#include "ui/win32/MainWindowView.h"

namespace {

constexpr int kCards = 8;

// The program's own view of itself, moved into the benchmark's folder.
class FolderSystem : public vt::win32::Win32System {
  public:
    explicit FolderSystem(std::string exe) : exe_(std::move(exe)) {}
    std::string ExecutablePath() override { return exe_; }
    std::string CommandLine() override { return "\"" + exe_ + "\""; }

  private:
    std::string exe_;
};

std::string FirstLiveAdapter() {
    ULONG size = 0;
    GetAdaptersInfo(nullptr, &size);
    std::vector<char> buffer(size ? size : 1);
    if (GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size) != NO_ERROR)
        return "{00000000-0000-0000-0000-000000000000}";
    return reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data())->AdapterName;
}

std::string CardId(int i, const std::string& live) {
    return i == 0 ? live : "{BE4CCA4D-0000-4000-8000-00000000000" + std::to_string(i) + "}";
}

double Now() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Cycle {
    double snapshotUs, rebuildUs;  // the refresh thread's part, the GUI thread's part
};

Cycle CycleMicroseconds(const std::string& folder) {
    vt::win32::Win32PlatformOf<FolderSystem> real(folder + "\\VelmoraTarvello.exe");
    vt::win32::MainWindowView view;
    view.Create(GetModuleHandleA(nullptr));
    std::vector<double> snapshot, rebuild;
    {
        vt::TfrmMain form(real.platform, view.Views(), vt::StartRequest{});
        view.CreateControls(form.Parts());
        form.FormCreate();
        view.Show(SW_SHOWNOACTIVATE);
        view.StopStatusThread();  // the benchmark makes the calls itself
        for (int run = 0; run < 300; ++run) {
            vt::TAdapterStatuses taken;
            const double start = Now();
            vt::GetAdapterStatuses(real.platform.ipHelper, taken);
            const double taking = Now();
            form.Status.RefreshStatusPanel(&taken);
            snapshot.push_back(1000.0 * (taking - start));
            rebuild.push_back(1000.0 * (Now() - taking));
        }
    }
    DestroyWindow(view.Window());
    return {Median(snapshot), Median(rebuild)};
}

// CPU time of the host processes whose command line holds `name`, read from the host's /proc
// (Wine reports no times for other processes): user and system ticks, 10 ms each.
double HostCpuMs(const char* name) {
    double total = 0;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return -1;
    do {
        if (found.cFileName[0] < '0' || found.cFileName[0] > '9') continue;
        const std::string folder = std::string("Z:\\proc\\") + found.cFileName;
        const std::string commandLine = vt::testing::TempFolder::ReadFile(folder + "\\cmdline");
        if (commandLine.find(name) == std::string::npos) continue;
        const std::string stat = vt::testing::TempFolder::ReadFile(folder + "\\stat");
        size_t at = stat.rfind(')');  // after the command name, fields 3 on
        for (int field = 3; field < 14 && at != std::string::npos; ++field) at = stat.find(' ', at + 1);
        if (at == std::string::npos) continue;
        unsigned long user = 0, system = 0;
        std::sscanf(stat.c_str() + at + 1, "%lu %lu", &user, &system);
        total += 10.0 * static_cast<double>(user + system);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return total;
}

// Suspends or resumes every thread of the process but its window's.
void HoldOtherThreads(DWORD pid, DWORD guiThread, bool hold) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != pid || entry.th32ThreadID == guiThread) continue;
        HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
        if (!thread) continue;
        if (hold)
            SuspendThread(thread);
        else
            ResumeThread(thread);
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
}

void IdleCpu(const std::string& folder) {
    const std::string exe = folder + "\\VelmoraTarvello.exe";
    std::string command = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return;
    HWND window = nullptr;
    for (int i = 0; i < 500 && !window; ++i, Sleep(20)) {
        HWND found = FindWindowA("TfrmMain", "Velmora Tarvello 1.50");
        if (found && IsWindowVisible(found)) window = found;
    }
    const auto measure = [&](const char* what) {
        Sleep(1000);
        // Wine answers IP Helper calls in its device host process, and every call passes its
        // server: their time counts too.
        const double program = HostCpuMs("VelmoraTarvello.exe"), server = HostCpuMs("wineserver"),
                     devices = HostCpuMs("winedevice");
        Sleep(10000);
        std::printf(
            "  idle 10 s, %s: %.0f ms of CPU in the program, %.0f ms in the wineserver, %.0f ms "
            "in the device host\n",
            what, HostCpuMs("VelmoraTarvello.exe") - program, HostCpuMs("wineserver") - server,
            HostCpuMs("winedevice") - devices);
    };
    measure("window shown");
    PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    measure("in the tray");
    PostMessageA(window, vt::win32::WM_TRAYICON, 1, WM_LBUTTONDOWN);
    const DWORD gui = GetWindowThreadProcessId(window, nullptr);
    HoldOtherThreads(process.dwProcessId, gui, true);
    measure("window shown, refresh thread stopped");
    HoldOtherThreads(process.dwProcessId, gui, false);
    PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

}  // namespace

int main() {
    vt::testing::TempFolder folder("refresh-bench");
    folder.CopyFromBuild("VelmoraTarvello.exe");
    const std::string live = FirstLiveAdapter();
    std::string filters;
    for (int i = 0; i < kCards; ++i) {
        const std::string id = CardId(i, live);
        vt::testing::SeedAdapter(std::to_string(9500 + i), id, "ethernet",
                                 "Bench connection " + std::to_string(i), "ROOT\\NET\\95" + std::to_string(i));
        filters += id + ",";
    }
    const std::string key = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\" + live;
    for (const char* name : {"IPAddress", "SubnetMask", "DefaultGateway", "DHCPIPAddress"})
        vt::testing::SetValue(key, name, REG_MULTI_SZ, std::string("10.0.0.2\0\0", 10));
    vt::testing::TempFolder::WriteFile(folder.File("LocalSettings.Ini"),
                                       "[Options]\r\nFilters=" + filters + "\r\n");

    std::printf("Status refresh under Wine, %d managed cards:\n", kCards);
    const Cycle cycle = CycleMicroseconds(folder.Path());
    std::printf(
        "  one refresh cycle (300, medians): the snapshot on the refresh thread %.0f us, the "
        "panel rebuilt on the GUI thread %.0f us\n",
        cycle.snapshotUs, cycle.rebuildUs);
    IdleCpu(folder.Path());
    for (int i = 0; i < kCards; ++i) vt::testing::RemoveAdapter(std::to_string(9500 + i), CardId(i, live));
    vt::testing::DeleteTree(key);
    return 0;
}
