// Settings file speed on a large file: open and list, one record load, one record save.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/ConfigRecords.h"
#include "core/SettingsLayout.h"
#include "platform/posix/PosixFileStore.h"
#include "shellext/ContextMenuItems.h"

namespace vt {
namespace {

std::string Guid(int i) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-1111-4222-8333-%012X}", i, i * 7);
    return text;
}

// 1,000 configurations over 10 cards: 10,000 per-card sections, plus the name maps.
const std::string& LargeFile() {
    static const std::string path = [] {
        const auto file = std::filesystem::temp_directory_path() /
                          ("vt-bench-" + std::to_string(getpid()) + ".ini");
        std::ofstream out(file, std::ios::binary);
        out << "[Options]\r\nAppPath=C:\\VT\\VelmoraTarvello.exe\r\n\r\n[Configurations]\r\n";
        for (int c = 0; c < 1000; ++c) out << Guid(c) << "=Configuration " << c << "\r\n";
        out << "\r\n[FriendlyName]\r\n";
        for (int c = 0; c < 1000; ++c) out << "Configuration " << c << "=" << Guid(c) << "\r\n";
        for (int c = 0; c < 1000; ++c)
            for (int card = 0; card < 10; ++card)
                out << "\r\n[" << Guid(c) << Guid(100000 + card)
                    << "]\r\nToConfig=1\r\nToEnable=1\r\n"
                    << "AutoDHCP=0\r\nAutoDNS=0\r\nIPCount=1\r\nIPAddr0=10.0." << card << "."
                    << c % 250
                    << "\r\nSubnetMask0=255.255.255.0\r\nGatewayCount=1\r\nGateway0=10.0." << card
                    << ".1\r\nDNSCount=2\r\nDNSAddr0=10.0.0.2\r\nDNSAddr1=10.0.0.3\r\n";
        return file.string();
    }();
    return path;
}

void BM_OpenAndListConfigurations(benchmark::State& state) {
    PosixFileStore store;
    for (auto _ : state) {
        SettingsFile settings(store, LargeFile());
        size_t names = 0;
        for (const std::string& key : settings.ReadSection(settings::kConfigurations))
            names += settings.ReadString(settings::kConfigurations, key, "").size();
        benchmark::DoNotOptimize(names);
    }
}
BENCHMARK(BM_OpenAndListConfigurations)->Unit(benchmark::kMillisecond);

// The Explorer menu's items from 1,000 configurations, every other one offered: the file read
// and looked through once per menu (goal: under 20 ms).
void BM_ContextMenuItems(benchmark::State& state) {
    static const std::string path = [] {
        const auto file = std::filesystem::temp_directory_path() /
                          ("vt-bench-menu-" + std::to_string(getpid()) + ".ini");
        std::ofstream out(file, std::ios::binary);
        out << "[Configurations]\r\n";
        for (int c = 0; c < 1000; ++c) out << Guid(c) << "=Configuration " << c << "\r\n";
        for (int c = 0; c < 1000; ++c)
            out << "\r\n[" << Guid(c) << "]\r\nShowInMenu=" << c % 2 << "\r\n";
        return file.string();
    }();
    PosixFileStore store;
    for (auto _ : state) benchmark::DoNotOptimize(ContextMenuConfigurations(store, path).size());
}
BENCHMARK(BM_ContextMenuItems)->Unit(benchmark::kMillisecond);

void BM_LoadCardConfig(benchmark::State& state) {
    PosixFileStore store;
    SettingsFile settings(store, LargeFile());
    settings.ReadSection(settings::kConfigurations);  // opened once, as the main window keeps it
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadCardConfig(settings, "Configuration 517", Guid(100003)));
}
BENCHMARK(BM_LoadCardConfig)->Unit(benchmark::kMicrosecond);

void BM_SaveCardConfig(benchmark::State& state) {
    PosixFileStore store;
    SettingsFile settings(store, LargeFile());
    TCardConfig record = LoadCardConfig(settings, "Configuration 517", Guid(100003));
    int i = 0;
    for (auto _ : state) {
        record.ToEnable = (++i % 2) == 0;  // a real change each time, so the file is rewritten
        SaveCardConfig(settings, record);
    }
}
BENCHMARK(BM_SaveCardConfig)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vt
