// Opening scientific pictures on a canvas up to a painted frame: a 4096 x
// 4096 32-bit float TIFF against the same values as a raw float file, and a
// 16-bit deflate TIFF against libtiff's own decode of it alone.
#include "CanvasBenchTools.h"
#include "PeerComparison.h"

#include "pixorama/canvo/CanvasFiles.h"
#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/parlet/DialogDriver.h"
#include "pixorama/platform/Dc.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"

#include <QApplication>
#include <QDialog>

#include <tiffio.h>

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
    static const std::filesystem::path folder = BenchFolder("pixorama-bench-picture-formats");
    return folder;
}

// A reconstruction-like slice: a ramp, a disc and fine stripes.
float value(int x, int y)
{
    const int dx = x - side / 2;
    const int dy = y - side / 2;
    return 0.001f * float(x) + (dx * dx + dy * dy < 1000000 ? 1.5f : 0.0f) + 0.01f * float((x / 3 + y / 5) % 7);
}

template <typename T, typename F>
std::wstring tiffFile(const char* name, int bits, int format, int compression, F pixel)
{
    const std::filesystem::path path = workFolder() / name;
    if (!std::filesystem::exists(path)) {
        TIFF* tif = TIFFOpen(path.c_str(), "w");
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, std::uint32_t(side));
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, std::uint32_t(side));
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, format);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
        TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 16u);
        std::vector<T> row(side);
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x)
                row[std::size_t(x)] = pixel(x, y);
            TIFFWriteScanline(tif, row.data(), std::uint32_t(y), 0);
        }
        TIFFClose(tif);
    }
    return plat::fromPath(path);
}

std::wstring floatTiff()
{
    return tiffFile<float>("slice-f32.tif", 32, SAMPLEFORMAT_IEEEFP, COMPRESSION_NONE, value);
}

std::wstring deflateTiff()
{
    return tiffFile<std::uint16_t>("frame-u16-deflate.tif", 16, SAMPLEFORMAT_UINT, COMPRESSION_ADOBE_DEFLATE,
                                   [](int x, int y) { return std::uint16_t(value(x, y) * 10000.0f); });
}

std::wstring floatRaw()
{
    const std::filesystem::path path = workFolder() / "slice-f32.raw";
    if (!std::filesystem::exists(path)) {
        std::vector<float> pixels(std::size_t(side) * side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                pixels[std::size_t(y) * side + std::size_t(x)] = value(x, y);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(pixels.data()), std::streamsize(pixels.size() * sizeof(float)));
    }
    return plat::fromPath(path);
}

// Opens path on the canvas and paints a 1600 x 1000 window once.
void openAndPaint(benchmark::State& state, std::wstring path)
{
    CanvasWindow window(1600, 1000);
    // Steady state: the canvas already shows an image of this size.
    gCVSReadFile(canvasId, path, true);
    for (auto _ : state) {
        gCVSReadFile(canvasId, path, true);
        gCVSOnDraw(canvasId, &window.dc);
        benchmark::DoNotOptimize(gCVSGetCanvasPixelPtr(canvasId));
    }
    if (gCVSGetFileType(canvasId) != FileFloat || gCVSGetCanvasWidth(canvasId) != side)
        state.SkipWithError("the file was not shown");
}

void BM_OpenFloatTiff(benchmark::State& state)
{
    openAndPaint(state, floatTiff());
}
BENCHMARK(BM_OpenFloatTiff)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenFloatRaw(benchmark::State& state)
{
    AnswerRawLoad(side, 1, true);
    openAndPaint(state, floatRaw());
    plat::setDialogHook({});
}
BENCHMARK(BM_OpenFloatRaw)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenDeflateTiff16(benchmark::State& state)
{
    openAndPaint(state, deflateTiff());
}
BENCHMARK(BM_OpenDeflateTiff16)->Unit(benchmark::kMillisecond)->UseRealTime();

// libtiff alone: every strip of the deflate file decoded into one buffer.
void BM_LibtiffDecodeDeflate16(benchmark::State& state)
{
    const std::string path = plat::toPath(deflateTiff()).string();
    std::vector<std::uint16_t> pixels(std::size_t(side) * side);
    for (auto _ : state) {
        TIFF* tif = TIFFOpen(path.c_str(), "r");
        auto* out = reinterpret_cast<std::uint8_t*>(pixels.data());
        const tmsize_t stripBytes = TIFFStripSize(tif);
        for (tstrip_t s = 0; s < TIFFNumberOfStrips(tif); ++s)
            out += TIFFReadEncodedStrip(tif, s, out, stripBytes);
        TIFFClose(tif);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_LibtiffDecodeDeflate16)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("PIXORAMA_HOME", (workFolder() / "home").c_str(), 1);
    QApplication app(argc, argv);
    PeerComparison comparison;
    comparison.pair("BM_OpenFloatTiff/real_time", "BM_OpenFloatRaw/real_time");
    comparison.pair("BM_OpenDeflateTiff16/real_time", "BM_LibtiffDecodeDeflate16/real_time");
    const int status = comparison.run(argc, argv);
    std::filesystem::remove_all(workFolder());
    return status;
}
