// Start-up to the painted main window with 1,000 configurations and 8 adapters, against a trivial
// one-window program, in the same Wine run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/win32/RegistrySeed.h"
#include "tests/win32/TempFolder.h"

namespace {

constexpr int kAdapters = 8;
int kConfigurations = 1000;

struct Found {
    DWORD pid;
    HWND window;
};

BOOL CALLBACK FindShown(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<Found*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != found->pid || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
    found->window = window;
    return FALSE;
}

// Milliseconds from the start of the process until its top-level window shows with nothing left
// to paint; then it is closed.
double ShownMs(const std::string& exe, const std::string& folder) {
    std::string command = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return -1;
    Found found{process.dwProcessId, nullptr};
    RECT dirty{};
    for (;;) {
        if (!found.window) EnumWindows(FindShown, reinterpret_cast<LPARAM>(&found));
        if (found.window && !GetUpdateRect(found.window, &dirty, FALSE)) break;
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) return -1;
    }
    QueryPerformanceCounter(&end);
    PostMessageA(found.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::string Id(const char* prefix, int i) {
    char text[40];
    wsprintfA(text, "{%s-0000-4000-8000-%012d}", prefix, i);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) kConfigurations = std::atoi(argv[1]);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string build = self;
    build = build.substr(0, build.find_last_of('\\') + 1);

    vt::testing::TempFolder folder("startup-bench");
    CopyFileA((build + "VelmoraTarvello.exe").c_str(), folder.File("VelmoraTarvello.exe").c_str(),
              FALSE);
    std::string ini = "[Options]\r\nFilters=";
    for (int i = 0; i < kAdapters; ++i) {
        const std::string id = Id("BE4CCA4D", i);
        vt::testing::SeedAdapter(std::to_string(9300 + i), id, "ethernet",
                                 "Bench connection " + std::to_string(i),
                                 "ROOT\\NET\\" + std::to_string(9300 + i));
        ini += id + ",";
    }
    std::string configurations = "\r\n[Configurations]\r\n", names = "[FriendlyName]\r\n";
    for (int i = 0; i < kConfigurations; ++i) {
        const std::string key = Id("BE4CC0F0", i), name = "Configuration " + std::to_string(i);
        configurations += key + "=" + name + "\r\n";
        names += name + "=" + key + "\r\n";
    }
    vt::testing::TempFolder::WriteFile(folder.File("LocalSettings.Ini"), ini + configurations + names);

    constexpr int kRuns = 11;
    std::vector<double> program, trivial;
    ShownMs(build + "vt_trivial_window.exe", folder.Path());  // warm everything up once
    ShownMs(folder.File("VelmoraTarvello.exe"), folder.Path());
    for (int i = 0; i < kRuns; ++i) {
        trivial.push_back(ShownMs(build + "vt_trivial_window.exe", folder.Path()));
        program.push_back(ShownMs(folder.File("VelmoraTarvello.exe"), folder.Path()));
    }
    for (int i = 0; i < kAdapters; ++i) vt::testing::RemoveAdapter(std::to_string(9300 + i), Id("BE4CCA4D", i));
    const double p = Median(program), t = Median(trivial);
    std::printf(
        "Start-up to the painted main window, %d configurations and %d adapters (%d runs, "
        "medians): %.1f ms; trivial one-window program %.1f ms (ratio %.2f)\n",
        kConfigurations, kAdapters, kRuns, p, t, p / t);
    return 0;
}
