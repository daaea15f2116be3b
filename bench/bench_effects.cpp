// Every photo effect on a 4096 x 4096 colour picture.
#include <benchmark/benchmark.h>

#include "pixorama/common/RowSplit.h"
#include "pixorama/workbench/PhotoEffects.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {

constexpr int kSize = 4096;
using Plane = ClassData2DIO<unsigned char>;

struct Picture {
    Plane r, g, b;
};

const Picture& Source()
{
    static const Picture picture = [] {
        Picture p;
        for (Plane* plane : {&p.r, &p.g, &p.b})
            plane->SetDim(kSize, kSize);
        std::mt19937 rng(3);
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const int base = int(128 + 90 * std::sin(x / 97.0) * std::cos(y / 61.0));
                p.r.rows[y][x] = static_cast<unsigned char>(std::clamp(base + int(rng() % 21) - 10, 0, 255));
                p.g.rows[y][x] = static_cast<unsigned char>(std::clamp(base / 2 + int(rng() % 21), 0, 255));
                p.b.rows[y][x] = static_cast<unsigned char>(std::clamp(255 - base + int(rng() % 11), 0, 255));
            }
        return p;
    }();
    return picture;
}

template <typename Effect>
void Run(benchmark::State& state, Effect effect)
{
    const Picture& source = Source();
    Picture work{source.r, source.g, source.b};
    for (auto _ : state) {
        effect(ColourPlanes{work.r, work.g, work.b});
        benchmark::ClobberMemory();
    }
    state.counters["threads"] = RowSplit::threadCount();
}

void Identity(ColourPlanes planes)
{
    static const float m[5][5] = {{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 0, 1, 0}, {0, 0, 0, 0, 1}};
    EffectColourMatrix(planes, m);
}

void Frosted(ColourPlanes planes)
{
    EffectFrostedGlass(planes, 12345);
}

} // namespace

BENCHMARK_CAPTURE(Run, BlemishRemoval, EffectBlemishRemoval)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Run, StrongBlemishRemoval, EffectStrongBlemishRemoval)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Run, WhiteBalance, EffectWhiteBalance)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Run, Vignette, EffectVignette)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Run, CrossProcess, EffectCrossProcess)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Run, Sepia, EffectSepia)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Run, SoftLight_gGauss, EffectSoftLight)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Run, DarkLift, EffectDarkLift)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Run, PenDrawing, EffectPenDrawing)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Run, Negative, EffectNegative)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Run, Freeze, EffectFreeze)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Run, Stylise, EffectStylise)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Run, FrostedGlass, Frosted)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Run, Grey, EffectGrey)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Run, ColourMatrix, Identity)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
