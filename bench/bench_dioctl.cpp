// The bus runs as fast as the port is reached: a relay switch is a read and
// a write of its expander, 10,900 data port writes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "dioctl/DIO.h"
#include "ole/Com.h"
#include "ole/Registry.h"
#include "portio/PortIO.h"
#include "portio/PortSim.h"

extern "C" void vbPortIO(int32_t direction, int32_t port, int32_t* value);

namespace {

// One DIO object on the simulator, registered in a registry of the bench's own.
ole::ComPtr<_DIO>& Dio() {
    static ole::ComPtr<_DIO> dio = [] {
        const std::filesystem::path dir =
            std::filesystem::temp_directory_path() / ("dioctl-bench-" + std::to_string(getpid()));
        setenv(ole::kRegistryEnv, (dir / "registry").c_str(), 1);
        setenv(portio::kLibraryEnv, portio::kSimulatorLibrary, 1);
        ole::ComPtr<_DIO> d;
        if (ole::RegisterServer(DIOCTL_SERVER_PATH) == ole::S_OK)
            ole::CreateObject(kDioProgID).As(IID__DIO, d);
        std::filesystem::remove_all(dir);
        return d;
    }();
    return dio;
}

void BM_WriteIO(benchmark::State& state) {
    _DIO* dio = Dio().Get();
    if (!dio) {
        state.SkipWithError("DIO could not be created");
        return;
    }
    portsim::Reset();
    int32_t result = 0;
    ole::VARIANT_BOOL on = ole::VARIANT_FALSE;
    for (auto _ : state) {
        on = on ? ole::VARIANT_FALSE : ole::VARIANT_TRUE;
        dio->WriteIO(3, on, &result);
        benchmark::DoNotOptimize(result);
    }
    state.counters["port_writes/s"] = benchmark::Counter(
        static_cast<double>(portsim::WriteCount(portio::kDataPort)), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WriteIO);

void BM_ReadIO(benchmark::State& state) {
    _DIO* dio = Dio().Get();
    if (!dio) {
        state.SkipWithError("DIO could not be created");
        return;
    }
    portsim::Reset();
    int16_t result = 0;
    for (auto _ : state) {
        dio->ReadIO(3, &result);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ReadIO);

// The floor: one simulated port write, as the bus procedures make them.
void BM_SimulatedPortWrite(benchmark::State& state) {
    portsim::Reset();
    int32_t v = 192;
    for (auto _ : state) {
        vbPortIO(portio::kWrite, portio::kDataPort, &v);
        v ^= 128;
    }
    portsim::Reset();
}
BENCHMARK(BM_SimulatedPortWrite);

}  // namespace
