// Every photo effect on a 4096 x 4096 colour picture.
#include <benchmark/benchmark.h>

#include "pixorama/common/RowSplit.h"
#include "pixorama/workbench/PhotoEffects.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <utility>

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
        // Every run starts from the colour picture: an effect run on its own
        // output would time a grey or saturated picture instead.
        state.PauseTiming();
        for (auto [to, from] : {std::pair{&work.r, &source.r}, {&work.g, &source.g}, {&work.b, &source.b}})
            std::memcpy(to->data, from->data, std::size_t(kSize) * kSize);
        state.ResumeTiming();
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

// Process CPU time against wall time shows whether an effect keeps every core busy.
int main(int argc, char** argv)
{
    using Effect = void (*)(ColourPlanes);
    const std::pair<const char*, Effect> effects[] = {
        {"BlemishRemoval", EffectBlemishRemoval}, {"StrongBlemishRemoval", EffectStrongBlemishRemoval},
        {"WhiteBalance", EffectWhiteBalance},     {"Vignette", EffectVignette},
        {"CrossProcess", EffectCrossProcess},     {"Sepia", EffectSepia},
        {"SoftLight_gGauss", EffectSoftLight},    {"DarkLift", EffectDarkLift},
        {"PenDrawing", EffectPenDrawing},         {"Negative", EffectNegative},
        {"Freeze", EffectFreeze},                 {"Stylise", EffectStylise},
        {"FrostedGlass", Frosted},                {"Grey", EffectGrey},
        {"ColourMatrix", Identity},
    };
    for (const auto& [name, effect] : effects)
        benchmark::RegisterBenchmark((std::string("Run/") + name).c_str(),
                                     [effect = effect](benchmark::State& state) { Run(state, effect); })
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
