// Start-up to the painted main window with 1,000 configurations and 8 adapters, against a trivial
// one-window program and against the main window's own windows made bare; and the working set
// with 100 configurations against the trivial program. All in the same Wine run.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/win32/Median.h"
#include "bench/win32/WindowTree.h"
#include "tests/win32/RegistrySeed.h"
#include "tests/win32/TempFolder.h"

using vt::bench::Median;

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

std::string Id(const char* prefix, int i) {
    char text[40];
    wsprintfA(text, "{%s-0000-4000-8000-%012d}", prefix, i);
    return text;
}

struct Shown {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double ms = -1;  // from the start of the process until its window shows, fully painted
};

// Starts `exe` in `folder` and waits until its top-level window shows with nothing left to paint
// and its thread waits for input.
Shown StartShown(const std::string& exe, const std::string& folder,
                 const std::string& arguments = "") {
    Shown shown;
    std::string command = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &shown.process))
        return shown;
    Found found{shown.process.dwProcessId, nullptr};
    RECT dirty{};
    for (;;) {
        if (!found.window) EnumWindows(FindShown, reinterpret_cast<LPARAM>(&found));
        if (found.window && !GetUpdateRect(found.window, &dirty, FALSE) &&
            WaitForInputIdle(shown.process.hProcess, 0) == 0)
            break;
        if (WaitForSingleObject(shown.process.hProcess, 1) == WAIT_OBJECT_0) return shown;
    }
    QueryPerformanceCounter(&end);
    shown.window = found.window;
    shown.ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
               static_cast<double>(frequency.QuadPart);
    return shown;
}

void Close(Shown& shown) {
    if (!shown.process.hProcess) return;
    if (shown.window) PostMessageA(shown.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(shown.process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(shown.process.hProcess, 1);
    CloseHandle(shown.process.hProcess);
    CloseHandle(shown.process.hThread);
}

double ShownMs(const std::string& exe, const std::string& folder,
               const std::string& arguments = "") {
    Shown shown = StartShown(exe, folder, arguments);
    Close(shown);
    return shown.ms;
}

struct Memory {
    double workingSetMb = -1, privateMb = -1;
};

// The working set and private bytes of a program once it has shown its window and run a while.
Memory MemoryOf(const std::string& exe, const std::string& folder, const std::string& arguments = "") {
    Shown shown = StartShown(exe, folder, arguments);
    Sleep(3000);  // several status refreshes
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    const bool read = shown.window &&
                      GetProcessMemoryInfo(shown.process.hProcess, &counters, sizeof counters);
    Close(shown);
    constexpr double kMb = 1024.0 * 1024.0;
    if (!read) return {};
    return {static_cast<double>(counters.WorkingSetSize) / kMb,
            static_cast<double>(counters.PagefileUsage) / kMb};
}

std::string SettingsWith(int configurations, const std::string& options) {
    std::string text = options + "\r\n[Configurations]\r\n", names = "[FriendlyName]\r\n";
    for (int i = 0; i < configurations; ++i) {
        const std::string key = Id("BE4CC0F0", i), name = "Configuration " + std::to_string(i);
        text += key + "=" + name + "\r\n";
        names += name + "=" + key + "\r\n";
    }
    return text + names;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) kConfigurations = std::atoi(argv[1]);
    const std::string build = vt::testing::BuildFolder();

    vt::testing::TempFolder folder("startup-bench");
    folder.CopyFromBuild("VelmoraTarvello.exe");
    std::string ini = "[Options]\r\nFilters=";
    for (int i = 0; i < kAdapters; ++i) {
        const std::string id = Id("BE4CCA4D", i);
        vt::testing::SeedAdapter(std::to_string(9300 + i), id, "ethernet",
                                 "Bench connection " + std::to_string(i),
                                 "ROOT\\NET\\" + std::to_string(9300 + i));
        ini += id + ",";
    }
    vt::testing::TempFolder::WriteFile(folder.File("LocalSettings.Ini"),
                                       SettingsWith(kConfigurations, ini));

    // The windows the program shows, for the bare yardstick to make again.
    const std::string bare = build + "vt_bare_window.exe";
    std::string windows;
    int windowCount = 0;
    {
        Shown shown = StartShown(folder.File("VelmoraTarvello.exe"), folder.Path());
        if (shown.window) {
            const vt::bench::WindowTreeWriter tree(shown.window, shown.process.hProcess);
            windows = tree.Text();
            windowCount = tree.Windows();
        }
        Close(shown);
    }
    {  // the yardstick's ratio is worth something only while it makes the very same windows
        Shown shown = StartShown(bare, folder.Path(), windows);
        const std::string made =
            shown.window ? vt::bench::WindowTreeWriter(shown.window, shown.process.hProcess).Text()
                         : std::string();
        Close(shown);
        if (made != windows) {
            const auto differ =
                std::mismatch(windows.begin(), windows.end(), made.begin(), made.end());
            const size_t record =
                windows.rfind(vt::bench::kRecordEnd, differ.first - windows.begin());
            const size_t start = record == std::string::npos ? 0 : record + 1;
            std::fprintf(
                stderr, "The bare windows differ from the program's from: %s\n",
                windows.substr(start, windows.find(vt::bench::kRecordEnd, start) - start).c_str());
            return 1;
        }
    }

    // In turns, so that whatever else the machine does meets all four alike.
    constexpr int kRuns = 11;
    std::vector<double> program, trivial, withLibraries, bareWindows;
    const std::string yardstick = build + "vt_trivial_window.exe";
    ShownMs(yardstick, folder.Path(), "libraries");  // warm everything up once
    ShownMs(bare, folder.Path(), windows);
    for (int i = 0; i < kRuns; ++i) {
        trivial.push_back(ShownMs(yardstick, folder.Path()));
        withLibraries.push_back(ShownMs(yardstick, folder.Path(), "libraries"));
        bareWindows.push_back(ShownMs(bare, folder.Path(), windows));
        program.push_back(ShownMs(folder.File("VelmoraTarvello.exe"), folder.Path()));
    }

    constexpr int kMemoryConfigurations = 100;
    vt::testing::TempFolder::WriteFile(folder.File("LocalSettings.Ini"),
                                       SettingsWith(kMemoryConfigurations, ini));
    const Memory memory = MemoryOf(folder.File("VelmoraTarvello.exe"), folder.Path());
    const Memory trivialMemory = MemoryOf(build + "vt_trivial_window.exe", folder.Path());
    const Memory librariesMemory =
        MemoryOf(build + "vt_trivial_window.exe", folder.Path(), "libraries");

    for (int i = 0; i < kAdapters; ++i) vt::testing::RemoveAdapter(std::to_string(9300 + i), Id("BE4CCA4D", i));
    const double p = Median(program), t = Median(trivial), l = Median(withLibraries),
                 b = Median(bareWindows);
    std::printf(
        "Start-up to the painted main window waiting for input, %d configurations and %d adapters "
        "(%d runs in turns, medians): %.1f ms; one-window program %.1f ms, the same with the "
        "program's system libraries %.1f ms: ratio %.2f to that; the main window's %d windows "
        "made bare %.1f ms: ratio %.2f to that\n",
        kConfigurations, kAdapters, kRuns, p, t, l, p / l, windowCount, b, p / b);
    std::printf(
        "Memory with the window shown, %d configurations and %d adapters (working set, private "
        "bytes; Wine's own libraries included): %.1f MB, %.1f MB; trivial one-window program "
        "%.1f MB, %.1f MB; the same with the program's system libraries loaded %.1f MB, %.1f MB\n",
        kMemoryConfigurations, kAdapters, memory.workingSetMb, memory.privateMb,
        trivialMemory.workingSetMb, trivialMemory.privateMb, librariesMemory.workingSetMb,
        librariesMemory.privateMb);
    return 0;
}
