// The canvas display pipeline on a 4096 x 4096 float image: showing it, moving
// the display window, and repainting a 1600 x 1000 window with 20 overlays in
// both stretch modes, also while zooming and panning. Every benchmark reports
// its time as a multiple of one memcpy of the float image, measured in the
// same run ("x_memcpy").
#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/canvo/CanvasInput.h"
#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/canvo/InteractiveMPoint.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int side = 4096;
constexpr int clientWidth = 1600;
constexpr int clientHeight = 1000;
constexpr int canvasId = 4;

using Clock = std::chrono::steady_clock;

// A radiograph-like test image: smooth background, a disc, fine stripes.
const ClassData2DIO<float>& floatImage()
{
    static const ClassData2DIO<float> image = [] {
        ClassData2DIO<float> im;
        im.SetDim(side, side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const float dx = float(x - side / 2);
                const float dy = float(y - side / 2);
                const float disc = dx * dx + dy * dy < 1.0e6f ? 20000.0f : 0.0f;
                im.rows[y][x] = 1000.0f + 3.0f * float(x) + disc + float((x / 3 + y / 5) % 7) * 50.0f;
            }
        return im;
    }();
    return image;
}

// Seconds for one memcpy of the float image: the best of a few, taken just
// before each benchmark so that both see the same machine load.
double memcpySeconds()
{
    const ClassData2DIO<float>& src = floatImage();
    static std::vector<float> dst(std::size_t(side) * side);
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        const auto t0 = Clock::now();
        std::memcpy(dst.data(), src.data, dst.size() * sizeof(float));
        benchmark::DoNotOptimize(dst.data());
        best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
    }
    return best;
}

// Runs body once per iteration and reports the mean wall time against memcpy.
template <typename F>
void timed(benchmark::State& state, F body)
{
    const double reference = memcpySeconds();
    double total = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        body();
        total += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    state.counters["x_memcpy"] = total / double(state.iterations()) / reference;
}

// A canvas window with the image shown and 20 point overlays over it.
struct Scene {
    plat::DibBitmap surface{clientWidth, clientHeight};
    plat::Dc dc{surface};

    Scene(bool fast, int overlays)
    {
        InteractiveImage& canvas = *CanvasTable::At(canvasId);
        canvas.view = ViewState{};
        plat::Rect client{0, 0, clientWidth, clientHeight};
        gCVSSetClient(canvasId, client, &dc);
        gCVSShowRawFloat(canvasId, const_cast<ClassData2DIO<float>&>(floatImage()), true, true);
        gCVSSetCanvasFastDisplayMode(canvasId, fast);
        for (int i = 0; i < overlays; ++i) {
            auto overlay = std::make_unique<InteractiveMPoint>();
            overlay->kind = OverlayPolygon;
            const double x = 1400 + 60.0 * (i % 5);
            const double y = 1600 + 70.0 * (i / 5);
            overlay->imagePoints = {{x, y}, {x + 40, y}, {x + 40, y + 50}, {x, y + 50}};
            canvas.AddOverlay(std::move(overlay));
        }
    }
    ~Scene()
    {
        gCVSDelAllElement(canvasId);
        plat::Rect none;
        gCVSSetClient(canvasId, none, nullptr);
    }
};

void BM_MemcpyFloatImage(benchmark::State& state)
{
    const ClassData2DIO<float>& src = floatImage();
    std::vector<float> dst(std::size_t(side) * side);
    timed(state, [&] {
        std::memcpy(dst.data(), src.data, dst.size() * sizeof(float));
        benchmark::DoNotOptimize(dst.data());
    });
}
BENCHMARK(BM_MemcpyFloatImage)->Unit(benchmark::kMillisecond)->UseRealTime();

// Copy, true min/max, rescale to 0..65535, LUT and surface fill; arg 1 also
// keeps the original values.
void BM_ShowRawFloat(benchmark::State& state)
{
    Scene scene(true, 0);
    auto& image = const_cast<ClassData2DIO<float>&>(floatImage());
    const bool keep = state.range(0) != 0;
    timed(state, [&] { gCVSShowRawFloat(canvasId, image, keep, false); });
}
BENCHMARK(BM_ShowRawFloat)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// A display-window change, as a drag of the contrast control makes.
void BM_SetLutPara(benchmark::State& state)
{
    Scene scene(true, 0);
    float left = 0.0f;
    timed(state, [&] {
        gCVSSetLutPara(canvasId, left, left + 0.4f);
        left = left > 0.5f ? 0.0f : left + 0.013f;
    });
}
BENCHMARK(BM_SetLutPara)->Unit(benchmark::kMillisecond)->UseRealTime();

// One repaint of the 1600 x 1000 window with 20 overlays. Arg: zoom steps
// from scale 1 (negative: zoomed out to see the whole image).
void repaint(benchmark::State& state, bool fast)
{
    Scene scene(fast, 20);
    const int steps = int(state.range(0));
    for (int i = 0; i < std::abs(steps); ++i)
        gCVSOnMouseWheel(canvasId, plat::MK_CONTROL, steps > 0 ? 120 : -120, {800, 500});
    timed(state, [&] { gCVSOnDraw(canvasId, &scene.dc); });
}

void BM_RepaintFast(benchmark::State& state)
{
    repaint(state, true);
}
BENCHMARK(BM_RepaintFast)->Arg(-8)->Arg(0)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RepaintHalftone(benchmark::State& state)
{
    repaint(state, false);
}
BENCHMARK(BM_RepaintHalftone)->Arg(-8)->Arg(0)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

// One wheel step about the cursor and the repaint it causes, zooming in and
// out over the range in turn.
void BM_ZoomStepAndRepaint(benchmark::State& state)
{
    Scene scene(true, 20);
    int step = 0;
    timed(state, [&] {
        const short delta = (step++ / 12) % 2 == 0 ? -120 : 120;
        gCVSOnMouseWheel(canvasId, plat::MK_CONTROL, delta, {700, 420});
        gCVSOnDraw(canvasId, &scene.dc);
    });
}
BENCHMARK(BM_ZoomStepAndRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// One Ctrl-drag step of 7 x 3 pixels and its repaint.
void BM_PanStepAndRepaint(benchmark::State& state)
{
    Scene scene(true, 20);
    plat::Point p{800, 500};
    gCVSOnLButtonDown(canvasId, plat::MK_LBUTTON | plat::MK_CONTROL, p);
    int step = 0;
    timed(state, [&] {
        const int dir = (step++ / 50) % 2 == 0 ? 1 : -1;
        p = {p.x + 7 * dir, p.y + 3 * dir};
        gCVSOnMouseMove(canvasId, plat::MK_LBUTTON | plat::MK_CONTROL, p);
        gCVSOnDraw(canvasId, &scene.dc);
    });
    gCVSOnLButtonUp(canvasId, 0, p);
}
BENCHMARK(BM_PanStepAndRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
