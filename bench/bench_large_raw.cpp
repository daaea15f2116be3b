// A picture near the size of the memory, the way a user works on it: a
// side x side 16-bit raw (20000 by default, an 800 MB file; PIXORAMA_RAW_SIDE
// sets another) opened in canvas 4 through the load dialog, its window
// changed, zoomed in, panned, and saved as a raw of floats. Each stage
// reports the process's peak resident memory so far (peak_MiB) against the
// file (file_MiB); the canvas holds the original and working float images
// (4 bytes a pixel each) and the 32-bit display surface, 6x a 16-bit file.
#include "CanvasBenchTools.h"

#include "pixorama/canvo/CanvasFiles.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/canvo/CanvasInput.h"
#include "pixorama/platform/Strings.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

int side()
{
    const char* text = std::getenv("PIXORAMA_RAW_SIDE");
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : 20000;
}

std::filesystem::path workFolder()
{
    static const std::filesystem::path folder = BenchFolder("pixorama-bench-large-raw");
    return folder;
}

// VmHWM of /proc/self/status, in MiB.
double peakMiB()
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmHWM:") {
            double kib = 0;
            status >> kib;
            return kib / 1024.0;
        }
    return 0;
}

// Written a row at a time, so that making it adds nothing to the peak.
std::wstring rawFile(int n)
{
    const std::filesystem::path path = workFolder() / ("frame-" + std::to_string(n) + ".raw");
    if (!std::filesystem::exists(path)) {
        std::ofstream out(path, std::ios::binary);
        std::vector<std::uint16_t> row(static_cast<std::size_t>(n));
        for (int y = 0; y < n; ++y) {
            for (int x = 0; x < n; ++x)
                row[std::size_t(x)] = std::uint16_t(1000 + (x + 3 * y) % 50000);
            out.write(reinterpret_cast<const char*>(row.data()), std::streamsize(row.size() * 2));
        }
    }
    return plat::fromPath(path);
}

void report(benchmark::State& state, int n, bool shown)
{
    if (!shown || gCVSGetFileType(canvasId) != FileFloat || gCVSGetCanvasWidth(canvasId) != n)
        state.SkipWithError("the file was not shown");
    state.counters["file_MiB"] = double(n) * n * 2 / double(1 << 20);
    state.counters["peak_MiB"] = peakMiB();
}

void BM_Open(benchmark::State& state)
{
    const int n = side();
    std::wstring path = rawFile(n);
    CanvasWindow window(1600, 1000);
    AnswerRawLoad(n, 0, true);
    bool shown = false;
    for (auto _ : state) {
        shown = gCVSReadFile(canvasId, path, true);
        gCVSOnDraw(canvasId, &window.dc);
    }
    plat::setDialogHook({});
    report(state, n, shown);
}

void BM_Window(benchmark::State& state)
{
    CanvasWindow window(1600, 1000);
    for (auto _ : state) {
        gCVSSetLutPara(canvasId, 0.2f, 0.6f);
        gCVSOnDraw(canvasId, &window.dc);
    }
    report(state, side(), true);
}

void BM_ZoomAndPan(benchmark::State& state)
{
    CanvasWindow window(1600, 1000);
    gCVSSetCanvasMoveMode(canvasId, DisplayZoomCursor);
    for (auto _ : state) {
        for (int step = 0; step < 4; ++step)
            gCVSOnMouseWheel(canvasId, 0, 120, {800, 500});
        gCVSOnDraw(canvasId, &window.dc);
        gCVSOnLButtonDown(canvasId, 1, {800, 500});
        for (int x = 790; x >= 400; x -= 10)
            gCVSOnMouseMove(canvasId, 1, {x, 500 - (800 - x) / 2});
        gCVSOnLButtonUp(canvasId, 0, {400, 300});
        gCVSOnDraw(canvasId, &window.dc);
    }
    report(state, side(), true);
}

void BM_SaveRaw(benchmark::State& state)
{
    const std::filesystem::path saved = workFolder() / "saved.raw";
    plat::setFileDialogResponder([&saved](const plat::FileDialogRequest&) {
        return std::vector<std::wstring>{plat::fromPath(saved)};
    });
    for (auto _ : state)
        gCVSSaveRaw(canvasId);
    plat::setFileDialogResponder({});
    const std::uintmax_t bytes = std::filesystem::exists(saved) ? std::filesystem::file_size(saved) : 0;
    if (bytes != std::uintmax_t(side()) * std::uintmax_t(side()) * 4)
        state.SkipWithError("the raw was not saved whole");
    std::filesystem::remove(saved);
    report(state, side(), true);
}

// Each stage once, in order, on the same picture.
BENCHMARK(BM_Open)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Window)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ZoomAndPan)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveRaw)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("PIXORAMA_HOME", (workFolder() / "home").c_str(), 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(workFolder());
    return 0;
}
