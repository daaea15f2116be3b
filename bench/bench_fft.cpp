// Row and 2-D FFTs of a 4096 x 4096 complex image, ours against FFTW in single
// precision with the same number of threads, on the same split-complex data.
#include "PeerComparison.h"

#include "pixorama/common/FFTMT.h"
#include "pixorama/common/QEVPP1DFFT.h"
#include "pixorama/common/ReconFilter.h"
#include "pixorama/common/RowSplit.h"

#include <fftw3.h>

#include <cstring>
#include <random>

namespace {

constexpr int kSize = 4096;
using Image = ClassData2DIO<float>;

struct Data {
    Image re, im;         // what the transforms work on
    Image re0, im0;       // the input, restored before every iteration
    Data()
    {
        re0.SetDim(kSize, kSize);
        im0.SetDim(kSize, kSize);
        std::mt19937 rng(42);
        std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
        const std::size_t n = std::size_t(kSize) * kSize;
        for (std::size_t i = 0; i < n; ++i) {
            re0.data[i] = dist(rng);
            im0.data[i] = dist(rng);
        }
        re = re0;
        im = im0;
    }
    void restore(benchmark::State& state)
    {
        state.PauseTiming();
        const std::size_t bytes = std::size_t(kSize) * kSize * sizeof(float);
        std::memcpy(re.data, re0.data, bytes);
        std::memcpy(im.data, im0.data, bytes);
        state.ResumeTiming();
    }
};

Data& data()
{
    static Data d;
    return d;
}

// Our transform of the data, restored before each run.
template <class Transform>
void ours(benchmark::State& state, Transform transform)
{
    Data& d = data();
    for (auto _ : state) {
        d.restore(state);
        transform(&d.re, &d.im, true);
        benchmark::ClobberMemory();
    }
    state.counters["threads"] = RowSplit::threadCount();
}

void BM_FFTMT1D(benchmark::State& state) { ours(state, FFTMT1D); }
void BM_FFTMT2D(benchmark::State& state) { ours(state, FFTMT2D); }

// FFTW's split-complex guru interface, in place on the same arrays. rank 1
// with kSize rows is the row transform, rank 2 the full 2-D transform.
void fftwBench(benchmark::State& state, int rank, unsigned flags)
{
    Data& d = data();
    fftwf_plan_with_nthreads(RowSplit::threadCount());
    fftwf_iodim dims[2];
    fftwf_iodim many[1];
    if (rank == 1) {
        dims[0] = {kSize, 1, 1};
        many[0] = {kSize, kSize, kSize};
    } else {
        dims[0] = {kSize, kSize, kSize};
        dims[1] = {kSize, 1, 1};
        many[0] = {1, 0, 0};
    }
    // FFTW's split interface computes a forward transform with the pointers as
    // given; planning with MEASURE overwrites the arrays, so plan first. Wisdom
    // from an earlier MEASURE plan would turn an ESTIMATE plan into a measured one.
    fftwf_forget_wisdom();
    fftwf_plan plan =
        fftwf_plan_guru_split_dft(rank, dims, 1, many, d.re.data, d.im.data, d.re.data, d.im.data, flags);
    if (plan == nullptr) {
        state.SkipWithError("FFTW could not plan");
        return;
    }
    for (auto _ : state) {
        d.restore(state);
        fftwf_execute_split_dft(plan, d.re.data, d.im.data, d.re.data, d.im.data);
        benchmark::ClobberMemory();
    }
    fftwf_destroy_plan(plan);
    state.counters["threads"] = RowSplit::threadCount();
}

void BM_FFTW_Rows_Estimate(benchmark::State& state) { fftwBench(state, 1, FFTW_ESTIMATE); }
void BM_FFTW_Rows_Measure(benchmark::State& state) { fftwBench(state, 1, FFTW_MEASURE); }
void BM_FFTW_2D_Estimate(benchmark::State& state) { fftwBench(state, 2, FFTW_ESTIMATE); }
void BM_FFTW_2D_Measure(benchmark::State& state) { fftwBench(state, 2, FFTW_MEASURE); }

// One 4096-point transform on the caller's thread: the kernel alone.
void BM_QEVPP1DFFT_4096(benchmark::State& state)
{
    QEVPP1DFFT fft;
    fft.Init(kSize, true);
    fft.UpLoadRe(data().re0.data, kSize);
    for (auto _ : state) {
        fft.RunFFT(true);
        fft.RunFFT(false);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(2 * state.iterations());
}

void BM_QEVPP1DFFT_Ori_4096(benchmark::State& state)
{
    QEVPP1DFFT fft;
    fft.Init(kSize, true);
    fft.UpLoadRe(data().re0.data, kSize);
    for (auto _ : state) {
        fft.ChangeDir(true);
        fft.RunFFTOri();
        fft.ChangeDir(false);
        fft.RunFFTOri();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(2 * state.iterations());
}

// The reconstruction filter over 1000 projections of 2048 samples.
void BM_QEVFilter1DForRec(benchmark::State& state)
{
    constexpr int rows = 1000;
    constexpr int width = 2048;
    Image img;
    img.SetDim(width, rows);
    std::memcpy(img.data, data().re0.data, std::size_t(rows) * width * sizeof(float));
    for (auto _ : state) {
        QEVFilter1DForRec(&img, 1.0f);
        benchmark::ClobberMemory();
    }
    state.counters["rows/s"] = benchmark::Counter(double(rows) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["threads"] = RowSplit::threadCount();
}

} // namespace

// The row transforms also count the CPU time of every thread: on a busy
// machine the wall time mostly measures the wait for the cores.
BENCHMARK(BM_FFTMT1D)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_FFTW_Rows_Estimate)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_FFTW_Rows_Measure)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_FFTMT2D)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FFTW_2D_Estimate)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FFTW_2D_Measure)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QEVPP1DFFT_4096)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QEVPP1DFFT_Ori_4096)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QEVFilter1DForRec)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    fftwf_init_threads();
    PeerComparison report;
    report.pair("BM_FFTMT1D/process_time/real_time", "BM_FFTW_Rows_Estimate/process_time/real_time");
    report.pair("BM_FFTMT1D/process_time/real_time", "BM_FFTW_Rows_Measure/process_time/real_time");
    report.pair("BM_FFTMT2D/real_time", "BM_FFTW_2D_Estimate/real_time");
    report.pair("BM_FFTMT2D/real_time", "BM_FFTW_2D_Measure/real_time");
    const int rc = report.run(argc, argv);
    fftwf_cleanup_threads();
    return rc;
}
