// Rebuilding the display tables when the user drags the window: the 16-bit grey
// table and the 16-bit colour table, each 65536 entries.
#include "pixorama/common/QEVMAPIMA.h"

#include <benchmark/benchmark.h>

namespace {

// Runs rebuild once per iteration, keeping the table it fills; each run
// counts the table's 65536 entries.
template <typename Rebuild, typename Table>
void perTable(benchmark::State& state, Rebuild rebuild, const Table& table)
{
    for (auto _ : state) {
        rebuild();
        benchmark::DoNotOptimize(table->data);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 65536);
}

void BM_GetMapUs(benchmark::State& state)
{
    QEVMAPIMA map;
    map.SetRange(1000, 60000);
    perTable(state, [&] { map.GetMapUs(); }, map.usMap);
}
BENCHMARK(BM_GetMapUs)->Unit(benchmark::kMillisecond);

// A window moving over the whole range, as a drag does.
void BM_SetRangeSweep(benchmark::State& state)
{
    QEVMAPIMA map;
    int low = 0;
    perTable(
        state,
        [&] {
            map.SetRange(low, low + 20000);
            low = (low + 977) % 45000;
        },
        map.usMap);
}
BENCHMARK(BM_SetRangeSweep)->Unit(benchmark::kMillisecond);

void BM_SetUsColorRange(benchmark::State& state)
{
    QEVMAPIMA map;
    tagStructRGBA c0{20, 40, 200, 255};
    tagStructRGBA c1{240, 10, 30, 255};
    perTable(state, [&] { map.SetUsColorRange(1000, 60000, c0, c1); }, map.colorMap);
}
BENCHMARK(BM_SetUsColorRange)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
