// Rebuilding the display tables when the user drags the window: the 16-bit grey
// table and the 16-bit colour table, each 65536 entries.
#include "pixorama/common/QEVMAPIMA.h"

#include <benchmark/benchmark.h>

namespace {

void BM_GetMapUs(benchmark::State& state)
{
    QEVMAPIMA map;
    map.SetRange(1000, 60000);
    for (auto _ : state) {
        map.GetMapUs();
        benchmark::DoNotOptimize(map.usMap->data);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 65536);
}
BENCHMARK(BM_GetMapUs)->Unit(benchmark::kMillisecond);

// A window moving over the whole range, as a drag does.
void BM_SetRangeSweep(benchmark::State& state)
{
    QEVMAPIMA map;
    int low = 0;
    for (auto _ : state) {
        map.SetRange(low, low + 20000);
        low = (low + 977) % 45000;
        benchmark::DoNotOptimize(map.usMap->data);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 65536);
}
BENCHMARK(BM_SetRangeSweep)->Unit(benchmark::kMillisecond);

void BM_SetUsColorRange(benchmark::State& state)
{
    QEVMAPIMA map;
    tagStructRGBA c0{20, 40, 200, 255};
    tagStructRGBA c1{240, 10, 30, 255};
    for (auto _ : state) {
        map.SetUsColorRange(1000, 60000, c0, c1);
        benchmark::DoNotOptimize(map.colorMap->data);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 65536);
}
BENCHMARK(BM_SetUsColorRange)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
