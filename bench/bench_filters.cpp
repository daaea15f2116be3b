// Correlation, Gaussian blur and bilinear resize of a 4096 x 4096 float image,
// ours against OpenCV with the same number of threads, on the same input.
#include "PeerComparison.h"

#include "pixorama/common/Convolution.h"
#include "pixorama/common/Gaussian.h"
#include "pixorama/common/Resize.h"
#include "pixorama/common/RowSplit.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cstring>
#include <random>

namespace {

constexpr int kSize = 4096;
constexpr int kResized = 3000;
using Image = ClassData2DIO<float>;

const Image& input()
{
    static const Image img = [] {
        Image i;
        i.SetDim(kSize, kSize);
        std::mt19937 rng(7);
        std::uniform_real_distribution<float> dist(0.0f, 4095.0f);
        const std::size_t n = std::size_t(kSize) * kSize;
        for (std::size_t k = 0; k < n; ++k)
            i.data[k] = dist(rng);
        return i;
    }();
    return img;
}

cv::Mat asMat(const Image& img)
{
    return cv::Mat(img.height, img.width, CV_32F, img.data).clone();
}

// 15 x 15 kernels: the Gaussian factors into two 1-D passes; the rotated,
// stretched one does not, so it measures the full 225-tap window.
Image kernel(bool rotated)
{
    Image k;
    if (rotated)
        TwoDGaussian_LSE(&k, 15, 3.0f, 15, 1.2f, 0.6f);
    else
        TwoDGaussian_LSE(&k, 15, 1.5f, 15, 1.5f, 0.0f);
    return k;
}

cv::Mat asKernel(const Image& k)
{
    return cv::Mat(k.height, k.width, CV_32F, k.data).clone();
}

void ours(benchmark::State& state, bool rotated)
{
    Image img(input());
    Image k = kernel(rotated);
    for (auto _ : state) {
        ConFltMC(&img, &k);
        benchmark::ClobberMemory();
    }
    state.counters["threads"] = RowSplit::threadCount();
}

void BM_ConFltMC_Gauss15(benchmark::State& state) { ours(state, false); }
void BM_ConFltMC_Rotated15(benchmark::State& state) { ours(state, true); }

// filter2D of src with our kernel, as our filter runs it.
void openCvFilter(benchmark::State& state, const cv::Mat& src, bool rotated)
{
    const cv::Mat k = asKernel(kernel(rotated));
    cv::Mat dst;
    for (auto _ : state) {
        cv::filter2D(src, dst, CV_32F, k, cv::Point(-1, -1), 0.0, cv::BORDER_REFLECT_101);
        benchmark::ClobberMemory();
    }
}

// filter2D chooses a DFT for a kernel this large when it sees the whole image.
void openCvWhole(benchmark::State& state, bool rotated)
{
    openCvFilter(state, asMat(input()), rotated);
}

void BM_OpenCV_filter2D_Gauss15(benchmark::State& state) { openCvWhole(state, false); }
void BM_OpenCV_filter2D_Rotated15(benchmark::State& state) { openCvWhole(state, true); }

// On a region of a larger image filter2D cannot take its DFT path and sums
// the window directly (borders then read the surrounding pixels).
void openCvDirect(benchmark::State& state, bool rotated)
{
    cv::Mat padded;
    cv::copyMakeBorder(asMat(input()), padded, 8, 8, 8, 8, cv::BORDER_REFLECT_101);
    openCvFilter(state, padded(cv::Rect(8, 8, kSize, kSize)), rotated);
}

void BM_OpenCV_filter2D_Direct_Gauss15(benchmark::State& state) { openCvDirect(state, false); }
void BM_OpenCV_filter2D_Direct_Rotated15(benchmark::State& state) { openCvDirect(state, true); }

void BM_gGauss15(benchmark::State& state)
{
    Image img(input());
    for (auto _ : state) {
        gGauss(&img, 15, 1.5f, 0.0f);
        benchmark::ClobberMemory();
    }
    state.counters["threads"] = RowSplit::threadCount();
}

void BM_OpenCV_GaussianBlur15(benchmark::State& state)
{
    const cv::Mat src = asMat(input());
    cv::Mat dst;
    for (auto _ : state) {
        cv::GaussianBlur(src, dst, cv::Size(15, 15), 1.5, 1.5, cv::BORDER_REFLECT_101);
        benchmark::ClobberMemory();
    }
}

// Our resize of the input to kResized x kResized.
template <class Resize>
void ourResize(benchmark::State& state, Resize resize)
{
    Image src(input());
    Image dst;
    dst.SetDim(kResized, kResized);
    for (auto _ : state) {
        resize(&src, &dst);
        benchmark::ClobberMemory();
    }
}

void BM_ResizeMC(benchmark::State& state)
{
    ourResize(state, ResizeMC);
    state.counters["threads"] = RowSplit::threadCount();
}

// The same in the caller's thread only.
void BM_ResizeSC(benchmark::State& state)
{
    ourResize(state, ResizeSC);
}

void BM_OpenCV_resize(benchmark::State& state)
{
    const cv::Mat src = asMat(input());
    cv::Mat dst;
    for (auto _ : state) {
        cv::resize(src, dst, cv::Size(kResized, kResized), 0.0, 0.0, cv::INTER_LINEAR);
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(BM_ConFltMC_Gauss15)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenCV_filter2D_Gauss15)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenCV_filter2D_Direct_Gauss15)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ConFltMC_Rotated15)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenCV_filter2D_Rotated15)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenCV_filter2D_Direct_Rotated15)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_gGauss15)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenCV_GaussianBlur15)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ResizeMC)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ResizeSC)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenCV_resize)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    cv::setNumThreads(RowSplit::threadCount());
    PeerComparison report;
    report.pair("BM_ConFltMC_Gauss15/real_time", "BM_OpenCV_filter2D_Gauss15/real_time");
    report.pair("BM_ConFltMC_Gauss15/real_time", "BM_OpenCV_filter2D_Direct_Gauss15/real_time");
    report.pair("BM_ConFltMC_Rotated15/real_time", "BM_OpenCV_filter2D_Rotated15/real_time");
    report.pair("BM_ConFltMC_Rotated15/real_time", "BM_OpenCV_filter2D_Direct_Rotated15/real_time");
    report.pair("BM_gGauss15/real_time", "BM_OpenCV_GaussianBlur15/real_time");
    report.pair("BM_ResizeMC/real_time", "BM_OpenCV_resize/real_time");
    return report.run(argc, argv);
}
