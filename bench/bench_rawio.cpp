// Raw and bitmap file I/O from the page cache, against a plain memcpy of the
// same bytes. Read benchmarks time each pass by hand and also time one memcpy
// of the same size right after it; the counter "x_memcpy" is their ratio.

#include "pixorama/common/AlignedBuffer.h"
#include "pixorama/common/BitmapFile.h"
#include "pixorama/common/RawFile.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <fcntl.h>
#include <unistd.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int side = 4096;
constexpr std::size_t pixels = std::size_t(side) * side;

struct AlignedFree {
    void operator()(void* p) const { pixAlignedFree(p); }
};
using Buffer = std::unique_ptr<unsigned char, AlignedFree>;

Buffer alignedBuffer(std::size_t bytes)
{
    auto* p = static_cast<unsigned char*>(pixAlignedAlloc(bytes));
    std::memset(p, 1, bytes);
    return Buffer(p);
}

// Test files live in one temporary folder for the whole run.
class Files {
public:
    Files()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "pixorama-bench-XXXXXX").string();
        if (char* made = mkdtemp(pattern.data()))
            folder = made;
    }
    ~Files()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::string path(const char* name) const { return (folder / name).string(); }

    // A raw file of the given bytes, written once and left in the page cache.
    std::string raw(const char* name, std::size_t bytes)
    {
        const std::string p = path(name);
        if (!std::filesystem::exists(p)) {
            std::vector<char> data(bytes);
            for (std::size_t i = 0; i < bytes; ++i)
                data[i] = char(i * 31 + (i >> 12));
            std::ofstream(p, std::ios::binary).write(data.data(), std::streamsize(bytes));
        }
        return p;
    }

private:
    std::filesystem::path folder;
};

Files& files()
{
    static Files instance;
    return instance;
}

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

double timedMemcpy(unsigned char* dst, const unsigned char* src, std::size_t bytes)
{
    const auto t0 = std::chrono::steady_clock::now();
    std::memcpy(dst, src, bytes);
    benchmark::ClobberMemory();
    return seconds(std::chrono::steady_clock::now() - t0);
}

// Runs read() once per iteration with manual timing, pairs every pass with a
// memcpy of the same byte count, and reports throughput and the ratio.
template <typename Read>
void compareWithMemcpy(benchmark::State& state, std::size_t bytes, Read read)
{
    Buffer src = alignedBuffer(bytes);
    Buffer dst = alignedBuffer(bytes);
    double readTotal = 0.0;
    double copyTotal = 0.0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        read();
        const double t = seconds(std::chrono::steady_clock::now() - t0);
        state.SetIterationTime(t);
        readTotal += t;
        copyTotal += timedMemcpy(dst.get(), src.get(), bytes);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
    state.counters["x_memcpy"] = copyTotal > 0 ? readTotal / copyTotal : 0.0;
    state.counters["memcpy_ms"] = copyTotal * 1000.0 / double(state.iterations());
}

void BM_Memcpy32MB(benchmark::State& state)
{
    const std::size_t bytes = pixels * 2;
    Buffer src = alignedBuffer(bytes);
    Buffer dst = alignedBuffer(bytes);
    for (auto _ : state) {
        std::memcpy(dst.get(), src.get(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}
BENCHMARK(BM_Memcpy32MB)->Unit(benchmark::kMillisecond);

// The floor: read() of the same file into a page-aligned buffer, nothing else.
void BM_PlainRead32MB(benchmark::State& state)
{
    const std::string path = files().raw("short.raw", pixels * 2);
    Buffer target = alignedBuffer(pixels * 2);
    compareWithMemcpy(state, pixels * 2, [&] {
        const int fd = ::open(path.c_str(), O_RDONLY);
        std::size_t done = 0;
        while (done < pixels * 2) {
            const ssize_t got = ::read(fd, target.get() + done, pixels * 2 - done);
            if (got <= 0)
                break;
            done += std::size_t(got);
        }
        ::close(fd);
        benchmark::DoNotOptimize(target.get());
    });
}
BENCHMARK(BM_PlainRead32MB)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ReadUsDataShort(benchmark::State& state)
{
    const std::string path = files().raw("short.raw", pixels * 2);
    ClassData2DIO<unsigned short> image;
    image.SetDim(side, side);
    compareWithMemcpy(state, pixels * 2, [&] {
        ReadUsDataShort(image, path.c_str());
        benchmark::DoNotOptimize(image.data);
    });
}
BENCHMARK(BM_ReadUsDataShort)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ReadRawFloat(benchmark::State& state)
{
    const std::string path = files().raw("float.raw", pixels * 4);
    ClassData2DIO<float> image;
    image.SetDim(side, side);
    compareWithMemcpy(state, pixels * 4, [&] {
        image.ReadRaw(path.c_str());
        benchmark::DoNotOptimize(image.data);
    });
}
BENCHMARK(BM_ReadRawFloat)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ReadUsDataChar(benchmark::State& state)
{
    const std::string path = files().raw("char.raw", pixels);
    ClassData2DIO<unsigned short> image;
    image.SetDim(side, side);
    compareWithMemcpy(state, pixels, [&] {
        ReadUsDataChar(image, path.c_str());
        benchmark::DoNotOptimize(image.data);
    });
}
BENCHMARK(BM_ReadUsDataChar)->UseManualTime()->Unit(benchmark::kMillisecond);

ClassData2DIO<unsigned char> greyPicture()
{
    ClassData2DIO<unsigned char> grey;
    grey.SetDim(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            grey.rows[y][x] = static_cast<unsigned char>(x + 3 * y);
    return grey;
}

// Runs io once per iteration; the throughput counts the picture's pixels.
template <typename Io>
void perPicture(benchmark::State& state, Io io)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(io());
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(pixels));
}

// The grey picture as an 8-bit bitmap, written once for the readers.
const std::string& greyBitmap()
{
    static const std::string path = [] {
        ClassData2DIO<unsigned char> grey = greyPicture();
        const std::string p = files().path("grey8.bmp");
        QEVSaveGrayBmp(p.c_str(), grey);
        return p;
    }();
    return path;
}

void BM_SaveGrayBmp(benchmark::State& state)
{
    ClassData2DIO<unsigned char> grey = greyPicture();
    const std::string path = files().path("save.bmp");
    perPicture(state, [&] { return QEVSaveGrayBmp(path.c_str(), grey); });
}
BENCHMARK(BM_SaveGrayBmp)->Unit(benchmark::kMillisecond);

void BM_ReadColorBmpGrey8(benchmark::State& state)
{
    const std::string& path = greyBitmap();
    ClassData2DIO<unsigned char> r, g, b, a;
    perPicture(state, [&] { return QEVReadColorBmp(path.c_str(), &r, &g, &b, &a); });
}
BENCHMARK(BM_ReadColorBmpGrey8)->Unit(benchmark::kMillisecond);

void BM_ReadGrayBmp8(benchmark::State& state)
{
    const std::string& path = greyBitmap();
    ClassData2DIO<unsigned char> out;
    perPicture(state, [&] { return QEVReadGrayBmp(path.c_str(), &out); });
}
BENCHMARK(BM_ReadGrayBmp8)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
