// One status snapshot on the real IP Helper and registry under Wine: median and spread of many
// runs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "net/AdapterStatus.h"
#include "net/TcpipRegistry.h"
#include "platform/win32/Win32IpHelper.h"
#include "platform/win32/Win32Registry.h"

int main() {
    vt::win32::Win32IpHelper ipHelper;
    vt::win32::Win32RegistryFactory registry;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);

    constexpr int kRuns = 500;
    std::vector<double> micros;
    micros.reserve(kRuns);
    size_t adapters = 0;
    for (int run = 0; run < kRuns; ++run) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        vt::TAdapterStatuses list;
        vt::GetAdapterStatuses(ipHelper, list);
        if (!list.empty()) {
            auto key = registry.Create();
            if (key->OpenKey(vt::InterfaceKeyPath(list[0].AdapterName), false))
                for (const char* name : {"IPAddress", "SubnetMask", "NameServer", "DefaultGateway"})
                    vt::ReadMultiSz(*key, vt::DhcpValueName(list[0].DhcpEnabled, name));
        }
        QueryPerformanceCounter(&end);
        adapters = list.size();
        micros.push_back(1e6 * static_cast<double>(end.QuadPart - start.QuadPart) /
                         static_cast<double>(frequency.QuadPart));
    }
    std::sort(micros.begin(), micros.end());
    std::printf(
        "Status snapshot under Wine (%u adapters, %d runs): median %.0f us, p90 %.0f us, "
        "min %.0f us\n",
        static_cast<unsigned>(adapters), kRuns, micros[kRuns / 2], micros[kRuns * 9 / 10],
        micros[0]);
    return 0;
}
