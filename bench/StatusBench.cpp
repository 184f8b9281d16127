// One status snapshot on fakes: the adapter list plus the four registry reads of the shown card.
#include <benchmark/benchmark.h>

#include "net/AdapterStatus.h"
#include "net/TcpipRegistry.h"
#include "tests/fakes/FakeIpHelper.h"
#include "tests/fakes/FakeRegistry.h"

namespace vt {
namespace {

void BM_StatusSnapshotOnFakes(benchmark::State& state) {
    fakes::FakeIpHelper ip;
    for (uint32_t i = 1; i <= 3; ++i) {
        AdapterRecord a;
        a.adapterName = "{0000000" + std::to_string(i) + "-0000-0000-0000-4E6574446576}";
        a.description = "Adapter";
        a.address = {0, 1, 2, 3, 4, 5};
        a.index = i;
        a.ipAddressList = {{"10.0.0." + std::to_string(i), "255.255.255.0"}};
        a.gatewayList = {{"10.0.0.1", ""}};
        ip.adapters.push_back(a);
        ip.rows[i] = {};
    }
    fakes::FakeRegistryFactory registry;
    const std::string key = InterfaceKeyPath(ip.adapters[0].adapterName);
    registry.store.Seed(key, "DHCPIPAddress", kRegMultiSz, std::string("10.0.0.1\0", 9));
    for (auto _ : state) {
        TAdapterStatuses list;
        GetAdapterStatuses(ip, list);
        auto reg = registry.Create();
        if (reg->OpenKey(key, false))
            for (const char* name : {"IPAddress", "SubnetMask", "NameServer", "DefaultGateway"})
                benchmark::DoNotOptimize(ReadMultiSz(*reg, DhcpValueName(true, name)));
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_StatusSnapshotOnFakes)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vt
