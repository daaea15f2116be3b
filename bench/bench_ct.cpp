// CT and sequence jobs: the sinogram of one detector row, the pair pipeline
// and its batch, and the sequence conversion to 8-bit BMP against copying
// the same bytes. Files sit in one temporary folder and are read from the
// page cache.

#include "BenchRun.h"
#include "pixorama/platform/AtomicFile.h"
#include "pixorama/workbench/ProjectionStitch.h"
#include "pixorama/workbench/SequenceJob.h"
#include "pixorama/workbench/SequenceOps.h"
#include "pixorama/workbench/Sinogram.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int side = 2048;

class Quiet : public JobFeedback {
public:
    void SetRange(int) override {}
    void SetPosition(int) override {}
    void Message(const CString& text) override { std::fprintf(stderr, "%ls\n", text.c_str()); }
};

std::string numbered(const char* stem, int i, const char* ext)
{
    char name[64];
    std::snprintf(name, sizeof name, "%s%d%s", stem, i, ext);
    return name;
}

std::filesystem::path folder()
{
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / numbered("pixorama-bench-ct-", int(::getpid()), "");
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

template <typename T>
void writeValues(const std::filesystem::path& path, const std::vector<T>& values)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(values.data()), std::streamsize(values.size() * sizeof(T)));
}

std::vector<float> noise(std::size_t n, float lo, float hi, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> value(lo, hi);
    std::vector<float> v(n);
    for (float& x : v)
        x = value(random);
    return v;
}

// Projections of side x side floats that hold data only in row 1000: the
// rest is a hole, so a thousand of them cost no disk.
const std::vector<CString>& sparseProjections()
{
    static const std::vector<CString> files = [] {
        std::vector<CString> list;
        const std::vector<float> row = noise(side, 0.0f, 1000.0f, 1);
        for (int i = 0; i < 1000; ++i) {
            const auto path = folder() / numbered("prj", i, ".raw");
            std::ofstream out(path, std::ios::binary);
            out.seekp(std::streamoff(1000) * side * 4);
            out.write(reinterpret_cast<const char*>(row.data()), side * 4);
            out.seekp(std::streamoff(side) * side * 4 - 4);
            out.write("\0\0\0\0", 4);
            list.push_back(path.wstring());
        }
        return list;
    }();
    return files;
}

void BM_SinogramRow1000Of1000Projections(benchmark::State& state)
{
    tagQEVImaRowDataPara para;
    para.m_width = side;
    para.m_PixelType = 1;
    para.m_RowIndex = 1000;
    para.Files = sparseProjections();
    Quiet quiet;
    ClassData2DIO<float> sinogram;
    for (auto _ : state) {
        SequenceJob job(quiet);
        if (!ExtractSinogram(para, sinogram, job))
            state.SkipWithError("extraction failed");
        benchmark::DoNotOptimize(sinogram.data);
    }
}
BENCHMARK(BM_SinogramRow1000Of1000Projections)->Unit(benchmark::kMillisecond)->UseRealTime();

// A 2048 x 2048 pair with calibration, a 64-column overlap and cropping.
struct PairSetup {
    tagQEVImaPairPara para;
    QEVFLOATDATA2D left, right, brightOne, darkOne, brightTwo, darkTwo;

    PairSetup()
    {
        para.ImaOneW = para.ImaOneH = para.ImaTwoW = para.ImaTwoH = side;
        para.HoriPara = 64;
        para.MidCut = 8;
        para.LeftCut = para.RightCut = 16;
        para.bUseCalib = para.bOverlapBalance = 1;
        para.InImaPixelType = para.OutImaPixelType = 1;
        fill(left, noise(std::size_t(side) * side, 1000.0f, 3000.0f, 2));
        fill(right, noise(std::size_t(side) * side, 1000.0f, 3000.0f, 3));
        fill(darkOne, noise(std::size_t(side) * side, 90.0f, 110.0f, 4));
        fill(darkTwo, noise(std::size_t(side) * side, 90.0f, 110.0f, 5));
        auto bright = noise(std::size_t(side) * side, 3000.0f, 4000.0f, 6);
        for (std::size_t i = 0; i < bright.size(); i += 997)
            bright[i] = 100.0f; // a dead pixel now and then
        fill(brightOne, bright);
        fill(brightTwo, bright);
    }

    static void fill(QEVFLOATDATA2D& image, const std::vector<float>& values)
    {
        image.SetDim(side, side);
        std::copy(values.begin(), values.end(), image.data);
    }
};

PairSetup& pairSetup()
{
    static PairSetup setup;
    return setup;
}

void BM_ProcessImagePair2048(benchmark::State& state)
{
    PairSetup& s = pairSetup();
    QEVFLOATDATA2D left, right, result;
    for (auto _ : state) {
        state.PauseTiming();
        left = s.left;
        right = s.right;
        state.ResumeTiming();
        ProcessImagePair(s.para, left, right, s.brightOne, s.darkOne, s.brightTwo, s.darkTwo, result);
        benchmark::DoNotOptimize(result.data);
    }
}
BENCHMARK(BM_ProcessImagePair2048)->Unit(benchmark::kMillisecond)->UseRealTime();

// The batch over n pairs (the same two files, so the page cache holds
// them) into memory destinations.
void BM_PairBatch(benchmark::State& state)
{
    PairSetup& s = pairSetup();
    static const auto leftFile = folder() / "left.raw";
    static const auto rightFile = folder() / "right.raw";
    static const bool written = [&] {
        writeValues(leftFile, std::vector<float>(s.left.data, s.left.data + std::size_t(side) * side));
        writeValues(rightFile, std::vector<float>(s.right.data, s.right.data + std::size_t(side) * side));
        writeValues(folder() / "b.raw", std::vector<float>(s.brightOne.data, s.brightOne.data + std::size_t(side) * side));
        writeValues(folder() / "d.raw", std::vector<float>(s.darkOne.data, s.darkOne.data + std::size_t(side) * side));
        return true;
    }();
    (void)written;
    const int n = int(state.range(0));
    tagQEVImaPairPara para = s.para;
    para.strLightOne = para.strLightTwo = (folder() / "b.raw").wstring();
    para.strBlackOne = para.strBlackTwo = (folder() / "d.raw").wstring();
    para.LeftFiles.assign(std::size_t(n), leftFile.wstring());
    para.RightFiles.assign(std::size_t(n), rightFile.wstring());
    para.InputFileEndIndex = n;
    para.InputFileStep = 1;
    QEVFLOATDATA2D out;
    out.SetDim(side * 2, side);
    para.ImaThreeW = out.width;
    para.ImaThreeH = out.height;
    std::vector<float**> table(std::size_t(n), out.rows);
    para.MemDest = table.data();
    Quiet quiet;
    for (auto _ : state) {
        SequenceJob job(quiet);
        if (!RunPairBatch(para, job))
            state.SkipWithError("batch failed");
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_PairBatch)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime()->Complexity(benchmark::oN);

// 16-bit 2048 x 2048 sequence files (n names of one file, read from the
// page cache) converted to 8-bit BMP with the display window.
const std::vector<CString>& sequence(int n)
{
    static const auto file = [] {
        const auto path = folder() / "frame.raw";
        std::vector<std::uint16_t> v(std::size_t(side) * side);
        std::mt19937 random(9);
        for (auto& x : v)
            x = std::uint16_t(random() & 0xFFF);
        writeValues(path, v);
        return path.wstring();
    }();
    static std::vector<CString> files;
    files.assign(std::size_t(n), file);
    return files;
}

constexpr int convertFiles = 20;

void BM_ConvertToBmpWithDisplayWindow(benchmark::State& state)
{
    tagQEVImaFormatPara para;
    para.InImaW = para.OutImaW = side;
    para.InImaH = para.OutImaH = side;
    para.InImaPixelType = 0;
    para.bLittleEndian = 1;
    para.OutImaPixelType = 2;
    para.OutImaIPType = 0;
    para.OutImaStep = 1;
    para.OutDir = (folder() / "bmp").wstring();
    std::filesystem::create_directories(folder() / "bmp");
    para.Files = sequence(convertFiles);
    ConvertOptions options;
    options.window = {0.0f, 0.0625f};
    Quiet quiet;
    for (auto _ : state) {
        SequenceJob job(quiet);
        if (!ConvertSequence(para, options, job))
            state.SkipWithError("conversion failed");
    }
    const auto out = std::filesystem::file_size(folder() / "bmp" / "DISLUTMAP__10000.bmp");
    state.SetBytesProcessed(state.iterations() * convertFiles * std::int64_t(side * side * 2 + out));
    state.counters["files/s"] = benchmark::Counter(double(convertFiles), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ConvertToBmpWithDisplayWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same input and output bytes, only copied: read each input, write an
// output of the BMP's size through the same atomic writer.
void BM_CopySameBytes(benchmark::State& state)
{
    const auto& files = sequence(convertFiles);
    const std::uintmax_t outBytes = std::uintmax_t(side) * side * 3 + 54;
    std::filesystem::create_directories(folder() / "copy");
    std::vector<char> input(std::size_t(side) * side * 2);
    std::vector<char> output(outBytes, 1);
    for (auto _ : state) {
        for (int i = 0; i < convertFiles; ++i) {
            std::ifstream(std::filesystem::path(files[std::size_t(i)]), std::ios::binary)
                .read(input.data(), std::streamsize(input.size()));
            std::copy(input.begin(), input.end(), output.begin());
            plat::writeFileAtomically(folder() / "copy" / numbered("c", i, ".bmp"), output.data(),
                                      output.size());
        }
    }
    state.SetBytesProcessed(state.iterations() * convertFiles * std::int64_t(input.size() + outBytes));
    state.counters["files/s"] = benchmark::Counter(double(convertFiles), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_CopySameBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv); // picture encoders
    const int status = runBenchmarks(argc, argv);
    std::filesystem::remove_all(folder());
    return status;
}
