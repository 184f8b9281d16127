// One status snapshot on fakes: the adapter list plus the four registry reads of the shown card.
#include <benchmark/benchmark.h>

#include "net/AdapterStatus.h"
#include "net/TcpipRegistry.h"
#include "tests/fakes/FakeIpHelper.h"
#include "tests/fakes/FakeMainWindow.h"
#include "tests/fakes/FakePlatform.h"
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

// One refresh cycle of the status panel, as the GUI thread runs it, with 8 managed cards, the
// current one connected with its four registry values.
void BM_RefreshCycleEightCardsOnFakes(benchmark::State& state) {
    fakes::FakePlatform fake;
    for (int i = 0; i < 8; ++i) {
        const std::string id = "{CA4D000" + std::to_string(i) + "-0000-4000-8000-000000000000}";
        const std::string classKey = std::string(kAdapterClassKey) + "\\000" + std::to_string(i);
        fake.registry.store.SeedString(classKey, "NetCfgInstanceId", id);
        fake.registry.store.SeedString(classKey, "DriverDesc", "Adapter " + std::to_string(i));
        fake.registry.store.SeedString(classKey + "\\Ndi\\Interfaces", "LowerRange", "ethernet");
        fake.registry.store.SeedString(ConnectionKeyPath(id), "Name", "Connection " + std::to_string(i));
        AdapterRecord record;
        record.adapterName = id;
        record.index = static_cast<uint32_t>(i + 1);
        record.ipAddressList = {{"10.0.0." + std::to_string(i + 2), "255.0.0.0"}};
        fake.ipHelper.adapters.push_back(record);
        fake.ipHelper.rows[record.index] = {};
        for (const char* name : {"IPAddress", "SubnetMask", "DefaultGateway"})
            fake.registry.store.Seed(InterfaceKeyPath(id), name, kRegMultiSz,
                                     std::string("10.0.0.2\0", 9));
        fake.registry.store.SeedString(InterfaceKeyPath(id), "NameServer", "10.0.0.53");
    }
    fakes::FakeMainWindow view;
    TfrmMain form(fake.platform, view.Views(), fakes::RequestFrom(fake.system.commandLine));
    view.Attach(form);
    form.FormCreate();
    for (auto _ : state) {
        form.Status.RefreshStatusPanel();
        benchmark::DoNotOptimize(view.statusMemo);
    }
}
BENCHMARK(BM_RefreshCycleEightCardsOnFakes)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vt
