// The simple watershed against OpenCV's watershed, the flooding alone at three
// sizes, and one 3 x 3 dilation against OpenCV's dilate, on the same inputs.
#include "PeerComparison.h"

#include "pixorama/common/QEVUCDATA2D.h"
#include "pixorama/common/RowSplit.h"
#include "pixorama/platform/System.h"
#include "pixorama/workbench/Segmentation.h"
#include "pixorama/workbench/WatershedCore.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// Bright rounded cells on a darker ground with noise: many basins, as in a micrograph.
Bytes Cells(int n)
{
    Bytes p(std::size_t(n) * n);
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> noise(-12, 12);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const double v = 120.0 + 70.0 * std::sin(x / 19.0) * std::cos(y / 23.0) + 30.0 * std::sin((x + y) / 7.0);
            p[std::size_t(y) * n + x] = static_cast<unsigned char>(std::clamp(int(v) + noise(rng), 0, 255));
        }
    return p;
}

// The gradient the flooding works on: smoothing, gradient and closing of the simple watershed.
Bytes FloodingInput(int n)
{
    QEVUCDATA2D smooth;
    smooth.SetDim(n, n);
    const Bytes cells = Cells(n);
    std::copy(cells.begin(), cells.end(), smooth.data);
    smooth.Smooth3();
    Bytes g = MultiscaleGradient(smooth.data, n, n, 3);
    GenericClosingByReconstruction(g.data(), n, n, 20);
    return g;
}

// Regional minima of g labelled 1, 2, ...: plateaus with no lower neighbour.
cv::Mat RegionalMinima(const Bytes& g, int n)
{
    cv::Mat markers(n, n, CV_32S, cv::Scalar(0));
    std::vector<char> seen(g.size(), 0);
    std::vector<int> plateau;
    int next = 0;
    const int d[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    for (int start = 0; start < n * n; ++start) {
        if (seen[std::size_t(start)])
            continue;
        plateau.assign(1, start);
        seen[std::size_t(start)] = 1;
        bool minimum = true;
        for (std::size_t i = 0; i < plateau.size(); ++i) {
            const int p = plateau[i], x = p % n, y = p / n;
            for (const auto& o : d) {
                const int nx = x + o[0], ny = y + o[1];
                if (nx < 0 || ny < 0 || nx >= n || ny >= n)
                    continue;
                const int q = ny * n + nx;
                if (g[std::size_t(q)] < g[std::size_t(p)])
                    minimum = false;
                else if (g[std::size_t(q)] == g[std::size_t(p)] && !seen[std::size_t(q)]) {
                    seen[std::size_t(q)] = 1;
                    plateau.push_back(q);
                }
            }
        }
        if (minimum) {
            ++next;
            for (int p : plateau)
                markers.at<int>(p / n, p % n) = next;
        }
    }
    return markers;
}

void BM_SimpleWatershed(benchmark::State& state)
{
    const int n = int(state.range(0));
    const Bytes picture = Cells(n);
    std::size_t basins = 0;
    for (auto _ : state) {
        const std::vector<int> labels = SimpleWatershed(picture.data(), n, n);
        basins = std::size_t(*std::max_element(labels.begin(), labels.end()));
        benchmark::DoNotOptimize(labels.data());
    }
    state.counters["basins"] = double(basins);
}

// OpenCV's watershed alone, seeded with the regional minima of our flooding input.
void BM_OpenCV_watershed(benchmark::State& state)
{
    const int n = int(state.range(0));
    const Bytes picture = Cells(n);
    const cv::Mat grey(n, n, CV_8U, const_cast<unsigned char*>(picture.data()));
    cv::Mat colour;
    cv::cvtColor(grey, colour, cv::COLOR_GRAY2BGR);
    const cv::Mat seeds = RegionalMinima(FloodingInput(n), n);
    cv::Mat markers;
    for (auto _ : state) {
        state.PauseTiming();
        seeds.copyTo(markers);
        state.ResumeTiming();
        cv::watershed(colour, markers);
        benchmark::ClobberMemory();
    }
    double top = 0;
    cv::minMaxLoc(seeds, nullptr, &top);
    state.counters["basins"] = top;
}

void BM_GenericWatershed(benchmark::State& state)
{
    const int n = int(state.range(0));
    const Bytes g = FloodingInput(n);
    for (auto _ : state) {
        const std::vector<int> labels = GenericWatershed(g.data(), n, n);
        benchmark::DoNotOptimize(labels.data());
    }
    state.SetComplexityN(state.range(0) * state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}

const Bytes& Noise4096()
{
    static const Bytes p = [] {
        Bytes b(std::size_t(4096) * 4096);
        std::mt19937 rng(5);
        for (unsigned char& v : b)
            v = static_cast<unsigned char>(rng());
        return b;
    }();
    return p;
}

void BM_DilateStep(benchmark::State& state)
{
    const Bytes& src = Noise4096();
    Bytes dst(src.size());
    for (auto _ : state) {
        DilateStep(src.data(), dst.data(), 4096, 4096);
        benchmark::ClobberMemory();
    }
    state.counters["threads"] = RowSplit::threadCount();
}

void BM_OpenCV_dilate3x3(benchmark::State& state)
{
    const cv::Mat src(4096, 4096, CV_8U, const_cast<unsigned char*>(Noise4096().data()));
    const cv::Mat kernel = cv::getStructuringElement(cv::MORPH_RECT, cv::Size(3, 3));
    cv::Mat dst;
    for (auto _ : state) {
        cv::dilate(src, dst, kernel);
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(BM_SimpleWatershed)->Arg(2048)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenCV_watershed)->Arg(2048)->Unit(benchmark::kMillisecond)->UseRealTime();
// Several runs at every size: one run of the largest is at the mercy of
// whatever else the machine does meanwhile.
BENCHMARK(BM_GenericWatershed)->Arg(1024)->Arg(2048)->Arg(4096)->MinTime(2.0)->Unit(benchmark::kMillisecond)->UseRealTime()->Complexity(benchmark::oN);
BENCHMARK(BM_DilateStep)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenCV_dilate3x3)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    // As the program does at start.
    plat::keepLargeBlocksForReuse();
    cv::setNumThreads(RowSplit::threadCount());
    PeerComparison report;
    report.pair("BM_SimpleWatershed/2048/real_time", "BM_OpenCV_watershed/2048/real_time");
    report.pair("BM_DilateStep/real_time", "BM_OpenCV_dilate3x3/real_time");
    return report.run(argc, argv);
}
