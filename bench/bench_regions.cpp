// Region rasterising: the label image of a 4096 x 4096 canvas with one
// polygon of 200 vertices (gCVSGenerateLabel, the whole call: clearing,
// filling and the bottom-up order), the polygon filler on its own, and the
// spline solve that runs whenever a spline's control points move.
#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasRegions.h"
#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/common/BSpline.h"
#include "pixorama/common/RasterFill.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int side = 4096;
constexpr int canvasId = 3;

// A 200-pointed star filling most of the image: long and short edges in
// every direction, concave between the points.
std::vector<PointTemplateBase<double>> star(int vertices)
{
    std::vector<PointTemplateBase<double>> points;
    for (int i = 0; i < vertices; ++i) {
        const double a = 6.2831852 * i / vertices;
        const double r = i % 2 ? 1300.0 : 2000.0;
        points.push_back({side / 2 + r * std::cos(a), side / 2 + r * std::sin(a)});
    }
    return points;
}

void BM_GenerateLabelPolygon200(benchmark::State& state)
{
    gCVSPrepareCanvas(canvasId, side, side);
    gCVSAddPoly(canvasId);
    InteractiveImage& canvas = *CanvasTable::At(canvasId);
    Canvo& polygon = *canvas.overlays.back();
    polygon.imagePoints = star(200);
    polygon.OnViewChanged();
    int value = 0;
    for (auto _ : state) {
        value = gCVSGenerateLabel(canvasId, false);
        benchmark::DoNotOptimize(gCVSGetLabelImaPtr1D(canvasId));
    }
    const ClassData2DIO<int>& label = gCVSGetLabelIma(canvasId);
    long long inside = 0;
    for (std::size_t i = 0; i < std::size_t(side) * side; ++i)
        inside += label.data[i] == 1;
    state.counters["label"] = value;
    state.counters["filled_pixels"] = double(inside);
    gCVSPrepareCanvas(canvasId, 1, 1);
}
BENCHMARK(BM_GenerateLabelPolygon200)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FillPolygon200(benchmark::State& state)
{
    ClassData2DIO<int> img;
    img.SetDim(side, side);
    std::vector<PointTemplateBase<int>> outline;
    for (const auto& p : star(200))
        outline.push_back({int(p.x), int(p.y)});
    for (auto _ : state) {
        std::vector<PointTemplateBase<int>> pts = outline;
        FillPolygon(img, pts, 1);
        benchmark::DoNotOptimize(img.data);
    }
}
BENCHMARK(BM_FillPolygon200)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SplineSolve(benchmark::State& state)
{
    std::vector<PointTemplateBase<int>> in;
    for (const auto& p : star(int(state.range(0))))
        in.push_back({int(p.x), int(p.y)});
    in.push_back(in.front());
    std::vector<PointTemplateBase<int>> out;
    std::vector<PointTemplateBase<int>> work;
    for (auto _ : state) {
        mB3Line(in, out, work);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_SplineSolve)->Arg(10)->Arg(100)->Arg(198)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
