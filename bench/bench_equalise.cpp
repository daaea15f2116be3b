// Histogram equalisation of one 4096 x 4096 plane, ours and OpenCV's
// equalizeHist on the same bytes in one run.
#include "PeerComparison.h"

#include "pixorama/workbench/Enhancements.h"

#include <opencv2/imgproc.hpp>

#include <cstdint>
#include <cstring>

namespace {

constexpr int side = 4096;

const ClassData2DIO<unsigned char>& plane()
{
    static const ClassData2DIO<unsigned char> p = [] {
        ClassData2DIO<unsigned char> q;
        q.SetDim(side, side);
        std::uint32_t s = 99;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                s = s * 1664525u + 1013904223u;
                q.rows[y][x] = static_cast<unsigned char>(((x + y) >> 6) + (s >> 29));
            }
        return q;
    }();
    return p;
}

void BM_Ours_EqualiseHistogram(benchmark::State& state)
{
    ClassData2DIO<unsigned char> work = plane();
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(work.data, plane().data, std::size_t(side) * side);
        state.ResumeTiming();
        gEqualiseHistogram(work);
    }
}
BENCHMARK(BM_Ours_EqualiseHistogram)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_OpenCV_equalizeHist(benchmark::State& state)
{
    const cv::Mat in(side, side, CV_8UC1, const_cast<unsigned char*>(plane().data));
    cv::Mat out(side, side, CV_8UC1);
    for (auto _ : state)
        cv::equalizeHist(in, out);
}
BENCHMARK(BM_OpenCV_equalizeHist)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    PeerComparison reporter;
    reporter.pair("BM_Ours_EqualiseHistogram/process_time/real_time", "BM_OpenCV_equalizeHist/process_time/real_time");
    return reporter.run(argc, argv);
}
