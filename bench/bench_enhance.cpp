// Window processor, detail layers, enhancements and region statistics of
// the workbench on 4096 x 4096 pictures.
#include "pixorama/workbench/DetailLayers.h"
#include "pixorama/workbench/Enhancements.h"
#include "pixorama/workbench/RegionStatistics.h"
#include "pixorama/workbench/WindowProcessor.h"

#include "../tests/processing/threads/DirectWindowProcessor.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int side = 4096;

// A smooth radiograph-like float picture with fine texture.
const ClassData2DIO<float>& rawPicture()
{
    static const ClassData2DIO<float> picture = [] {
        ClassData2DIO<float> p;
        p.SetDim(side, side);
        std::uint32_t s = 12345;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                s = s * 1664525u + 1013904223u;
                p.rows[y][x] = 20000.0f + 15000.0f * std::sin(x * 0.003f) * std::cos(y * 0.002f) + float(s >> 22);
            }
        return p;
    }();
    return picture;
}

QEVUCDATA2D bytePlane(int shift)
{
    QEVUCDATA2D p;
    p.SetDim(side, side);
    const ClassData2DIO<float>& raw = rawPicture();
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            p.rows[y][x] = static_cast<unsigned char>((int(raw.rows[y][x]) >> 7) + shift);
    return p;
}

// The 17 x 17 window processor, stepping by 2, on a picture.
void windowProcessor(benchmark::State& state, const ClassData2DIO<float>& picture)
{
    ClassData2DIO<unsigned char> out;
    for (auto _ : state)
        gWindowProcess(picture, out, 17, 17, 2, 2);
}

void BM_WindowProcessor_17x17_step2(benchmark::State& state)
{
    windowProcessor(state, rawPicture());
}
BENCHMARK(BM_WindowProcessor_17x17_step2)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// Ours and the direct method on a 1024 x 1024 corner of the picture.
const ClassData2DIO<float>& corner()
{
    static const ClassData2DIO<float> c = [] {
        ClassData2DIO<float> p;
        p.SetDim(1024, 1024);
        for (int y = 0; y < 1024; ++y)
            std::copy(rawPicture().rows[y], rawPicture().rows[y] + 1024, p.rows[y]);
        return p;
    }();
    return c;
}

void BM_WindowProcessor_1024_17x17_step2(benchmark::State& state)
{
    windowProcessor(state, corner());
}
BENCHMARK(BM_WindowProcessor_1024_17x17_step2)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_DirectMethod_1024_17x17_step2(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(gDirectWindowProcess(corner(), 17, 17, 2, 2));
}
BENCHMARK(BM_DirectMethod_1024_17x17_step2)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_DetailLayers_BaseAndThreeWindowLayers(benchmark::State& state)
{
    DetailLayers layers;
    for (auto _ : state)
        layers.Compute(rawPicture());
}
BENCHMARK(BM_DetailLayers_BaseAndThreeWindowLayers)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_DetailLayers_Recombine(benchmark::State& state)
{
    DetailLayers layers;
    layers.base = bytePlane(0);
    layers.small = bytePlane(1);
    layers.medium = bytePlane(2);
    layers.large = bytePlane(3);
    ClassData2DIO<unsigned char> result;
    const float weights[4] = {0.5f, 0.3f, 0.7f, 0.2f};
    for (auto _ : state)
        layers.Recombine(weights, result);
}
BENCHMARK(BM_DetailLayers_Recombine)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// Runs enhance(r, g, b) on fresh copies of one colour picture.
template <typename Enhance>
void onColourPicture(benchmark::State& state, Enhance enhance)
{
    const QEVUCDATA2D r0 = bytePlane(0), g0 = bytePlane(20), b0 = bytePlane(40);
    for (auto _ : state) {
        state.PauseTiming();
        QEVUCDATA2D r = r0, g = g0, b = b0;
        state.ResumeTiming();
        enhance(r, g, b);
    }
}

void BM_PyramidEnhancement_Colour(benchmark::State& state)
{
    onColourPicture(state, [](auto& r, auto& g, auto& b) { gEnhanceLuminance(r, g, b); });
}
BENCHMARK(BM_PyramidEnhancement_Colour)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_BrightnessAdaptation_Colour(benchmark::State& state)
{
    onColourPicture(state, [](auto& r, auto& g, auto& b) {
        gAdaptBrightness(r);
        gAdaptBrightness(g);
        gAdaptBrightness(b);
    });
}
BENCHMARK(BM_BrightnessAdaptation_Colour)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_Statistics_GreyRegionWithJnb(benchmark::State& state)
{
    const ClassData2DIO<unsigned char> grey = bytePlane(0);
    ClassData2DIO<int> label;
    label.SetDim(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            label.rows[y][x] = 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(gMeasureGreyRegion(grey, label, 1));
}
BENCHMARK(BM_Statistics_GreyRegionWithJnb)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

} // namespace

BENCHMARK_MAIN();
