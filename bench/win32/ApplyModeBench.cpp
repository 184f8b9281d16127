// Apply mode's whole-process time for a three-card configuration, against a do-nothing console
// program and against a one-window program that loads the same system libraries and ends.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/win32/Median.h"
#include "tests/win32/RegistrySeed.h"
#include "tests/win32/TempFolder.h"

using vt::bench::Median;

namespace {

const char* const kIds[] = {"{BE4C0000-0000-4000-8000-000000000001}",
                            "{BE4C0000-0000-4000-8000-000000000002}",
                            "{BE4C0000-0000-4000-8000-000000000003}"};
const char* const kSubkeys[] = {"9201", "9202", "9203"};
constexpr char kConfigKey[] = "{BE4C0000-0000-4000-8000-0000000000CF}";

double RunMs(const std::string& exe, const std::string& arguments, const std::string& folder) {
    std::string command = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    QueryPerformanceCounter(&end);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    if (code != 0) std::printf("  %s exited with %lu\n", exe.c_str(), code);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main() {
    const std::string build = vt::testing::BuildFolder();

    vt::testing::TempFolder folder("apply-bench");
    folder.CopyFromBuild("VelmoraTarvello.exe");
    // Three cards with present devices that are not started: applied with ToEnable off they
    // need no class-installer call, so the time is the program's own.
    std::string ini = "[Options]\r\nFilters=";
    for (const char* id : kIds) ini += std::string(id) + ",";
    ini += "\r\n[FriendlyName]\r\nBench=" + std::string(kConfigKey) + "\r\n";
    for (int i = 0; i < 3; ++i) {
        vt::testing::SeedAdapter(kSubkeys[i], kIds[i], "ethernet", "Bench " + std::to_string(i),
                                 std::string("ROOT\\NET\\") + kSubkeys[i]);
        vt::testing::SeedNetDevice(kSubkeys[i], nullptr);
        ini += "[" + std::string(kConfigKey) + kIds[i] +
               "]\r\nToConfig=1\r\nToEnable=0\r\n"
               "AutoDHCP=0\r\nAutoDNS=0\r\nIPCount=1\r\nIPAddr0=10.0.0." +
               std::to_string(i + 2) +
               "\r\nSubnetMask0=255.0.0.0\r\nGatewayCount=1\r\nGateway0=10.0.0.1\r\nDNSCount=2\r\n"
               "DNSAddr0=10.0.0.1\r\nDNSAddr1=\r\n";
    }
    vt::testing::TempFolder::WriteFile(folder.File("LocalSettings.Ini"), ini);

    constexpr int kRuns = 15;
    std::vector<double> apply, trivial, trivialGui, withLibraries;
    RunMs(build + "vt_trivial.exe", "", folder.Path());  // warm everything up once
    RunMs(build + "vt_trivial_gui.exe", "", folder.Path());
    RunMs(build + "vt_trivial_window.exe", "libraries exit", folder.Path());
    RunMs(folder.File("VelmoraTarvello.exe"), "Bench", folder.Path());
    for (int i = 0; i < kRuns; ++i) {
        trivial.push_back(RunMs(build + "vt_trivial.exe", "", folder.Path()));
        trivialGui.push_back(RunMs(build + "vt_trivial_gui.exe", "", folder.Path()));
        withLibraries.push_back(
            RunMs(build + "vt_trivial_window.exe", "libraries exit", folder.Path()));
        apply.push_back(RunMs(folder.File("VelmoraTarvello.exe"), "Bench", folder.Path()));
    }
    for (int i = 0; i < 3; ++i) {
        vt::testing::RemoveAdapter(kSubkeys[i], kIds[i]);
        vt::testing::DeleteTree(std::string("SYSTEM\\CurrentControlSet\\Services\\") + kIds[i]);
        vt::testing::DeleteTree(
            std::string("SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\") +
            kIds[i]);
        vt::testing::DeleteTree(std::string(vt::testing::kEnumNetKey) + "\\" + kSubkeys[i]);
    }
    const double a = Median(apply), t = Median(trivial), g = Median(trivialGui),
                 l = Median(withLibraries);
    std::printf(
        "Apply mode, three cards, whole process under Wine (%d runs in turns, medians): %.1f ms; "
        "do-nothing console program %.1f ms (ratio %.2f); one-window GUI program %.1f ms "
        "(ratio %.2f); the same with the program's system libraries %.1f ms: ratio %.2f to "
        "that\n",
        kRuns, a, t, a / t, g, a / g, l, a / l);
    return 0;
}
