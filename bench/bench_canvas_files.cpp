// Reading a 4096 x 4096 16-bit raw detector file into a canvas through
// gCVSReadFile, with the load dialog shown and answered through its controls
// by a dialog hook, up to the display pixels in the canvas surface (and, in
// the second form, one paint of a 1600 x 1000 window).
#include "BenchRun.h"
#include "CanvasBenchTools.h"

#include "pixorama/canvo/CanvasFiles.h"
#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/parlet/DialogDriver.h"
#include "pixorama/platform/DibBitmap.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int side = 4096;

std::filesystem::path workFolder()
{
    static const std::filesystem::path folder = BenchFolder("pixorama-bench-canvas-files");
    return folder;
}

// A radiograph-like 16-bit frame: a ramp, a disc and fine stripes.
std::wstring rawFile(bool bigEndian)
{
    const std::filesystem::path path = workFolder() / (bigEndian ? "frame-be.raw" : "frame-le.raw");
    if (!std::filesystem::exists(path)) {
        std::vector<std::uint16_t> pixels(std::size_t(side) * side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const int dx = x - side / 2;
                const int dy = y - side / 2;
                const int disc = dx * dx + dy * dy < 1000000 ? 20000 : 0;
                std::uint16_t v = std::uint16_t(1000 + 3 * x + disc + ((x / 3 + y / 5) % 7) * 50);
                if (bigEndian)
                    v = std::uint16_t(v >> 8 | v << 8);
                pixels[std::size_t(y) * side + std::size_t(x)] = v;
            }
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(pixels.data()), std::streamsize(pixels.size() * 2));
    }
    return plat::fromPath(path);
}

// Arg 0: little-endian, 1: big-endian. Arg 1: also paint the window.
void BM_ReadRaw16(benchmark::State& state)
{
    const bool bigEndian = state.range(0) != 0;
    const bool paint = state.range(1) != 0;
    std::wstring path = rawFile(bigEndian);
    CanvasWindow window(1600, 1000);
    AnswerRawLoad(side, 0, !bigEndian);
    for (auto _ : state) {
        gCVSReadFile(canvasId, path, true);
        if (paint)
            gCVSOnDraw(canvasId, &window.dc);
        benchmark::DoNotOptimize(gCVSGetCanvasPixelPtr(canvasId));
    }
    if (gCVSGetFileType(canvasId) != FileFloat || gCVSGetCanvasWidth(canvasId) != side)
        state.SkipWithError("the file was not shown");
    plat::setDialogHook({});
}
BENCHMARK(BM_ReadRaw16)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    // Dialogs need a widget application; their remembered values go to a
    // folder of our own.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("PIXORAMA_HOME", (workFolder() / "home").c_str(), 1);
    QApplication app(argc, argv);
    const int status = runBenchmarks(argc, argv);
    std::filesystem::remove_all(workFolder());
    return status;
}
