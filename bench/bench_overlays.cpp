// Painting a 1600 x 1000 window over a 2048 x 2048 float image with 200
// overlays of mixed kinds (measuring lines with their labels, three- and
// four-point angles, line profiles with their charts, text boxes and text
// windows), with and without the progress bar and the contrast slider.
// Every overlay is placed through the canvas API as a user would.
#include "BenchRun.h"
#include "pixorama/canvo/CanvasControls.h"
#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/canvo/CanvasInput.h"
#include "pixorama/canvo/CanvasMeasures.h"
#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/canvo/CanvasTexts.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr int side = 2048;
constexpr int clientWidth = 1600;
constexpr int clientHeight = 1000;
constexpr int canvasId = 4;
constexpr unsigned shiftDown = plat::MK_SHIFT | plat::MK_LBUTTON;

void shiftClick(plat::Point p)
{
    gCVSOnLButtonDown(canvasId, shiftDown, p);
    gCVSOnLButtonUp(canvasId, plat::MK_SHIFT, p);
}

void shiftDrag(plat::Point from, plat::Point to)
{
    gCVSOnLButtonDown(canvasId, shiftDown, from);
    gCVSOnMouseMove(canvasId, plat::MK_LBUTTON, to);
    gCVSOnLButtonUp(canvasId, 0, to);
}

// One overlay of kind i % 6 near a spot that walks over the window.
void addOverlay(int i)
{
    const plat::Point p{200 + (i * 97) % 1200, 150 + (i * 53) % 700};
    switch (i % 6) {
    case 0:
        gCVSAddMeasureLine(canvasId);
        shiftDrag(p, {p.x + 60, p.y + 30});
        break;
    case 1:
        gCVSAddMeasureAngle3Pts(canvasId);
        shiftClick(p);
        shiftClick({p.x + 50, p.y});
        shiftClick({p.x, p.y + 40});
        gCVSOnMouseMove(canvasId, 0, {p.x, p.y + 40});
        break;
    case 2:
        gCVSAddMeasureAngle4Pts(canvasId);
        shiftClick(p);
        shiftClick({p.x + 50, p.y});
        shiftClick({p.x + 10, p.y + 10});
        shiftClick({p.x + 30, p.y + 50});
        gCVSOnMouseMove(canvasId, 0, {p.x + 30, p.y + 50});
        break;
    case 3:
        gCVSAddTextOL(canvasId, L"标注 " + std::to_wstring(i), p.x, p.y, FontType(i % 5), 20, 0x00A000,
                      plat::OPAQUE);
        break;
    case 4: {
        std::vector<CString> lines{L"区域 " + std::to_wstring(i), L"均值 123.4", L"方差 5.6"};
        gCVSAddTextML(canvasId, lines, p.x, p.y);
        break;
    }
    default:
        gCVSAddLineProfile(canvasId);
        shiftDrag(p, {p.x + 120, p.y + 20});
        gCVSOnMouseMove(canvasId, 0, {p.x + 120, p.y + 20});
        break;
    }
}

class Scene {
public:
    Scene(int count, bool controls)
    {
        ClassData2DIO<float> image;
        image.SetDim(side, side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                image.rows[y][x] = float((x * 7 + y * 3) % 4096);
        plat::Rect client{0, 0, clientWidth, clientHeight};
        gCVSSetClient(canvasId, client, &dc);
        gCVSShowRawFloat(canvasId, image, true, true);
        for (int i = 0; i < count; ++i)
            addOverlay(i);
        gCVSShowProgress(canvasId, controls);
        gCVSShowContrastCtrl(canvasId, controls);
        gCVSSetProgressRectPos(canvasId, 20, 60, 400, 20);
        gCVSSetContrastCtrlRectPos(canvasId, 20, 20, 400, 30);
        gCVSSetRange(canvasId, 0, 100);
        gCVSSetPos(canvasId, 40);
    }
    ~Scene()
    {
        gCVSDelAllElement(canvasId);
        gCVSShowProgress(canvasId, false);
        gCVSShowContrastCtrl(canvasId, false);
        plat::Rect none{};
        gCVSSetClient(canvasId, none, nullptr);
    }

    plat::DibBitmap surface{clientWidth, clientHeight};
    plat::Dc dc{surface};
};

void BM_Paint200Overlays(benchmark::State& state)
{
    Scene scene(int(state.range(0)), state.range(1) != 0);
    state.counters["overlays"] = double(CanvasTable::At(canvasId)->overlays.size());
    for (auto _ : state) {
        gCVSOnDraw(canvasId, nullptr);
        benchmark::DoNotOptimize(scene.surface.bits());
    }
}
// Args: overlay count, controls shown. The empty window is the baseline.
BENCHMARK(BM_Paint200Overlays)->Args({0, 0})->Args({200, 0})->Args({200, 1})->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
