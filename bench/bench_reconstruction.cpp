// Filtered back-projection: parallel and fan beam beside scikit-image's
// iradon (timed inside Debian's /usr/bin/python3 on the same sinogram size,
// filtering included in both), and FDK with its voxel updates per second.
// The ratios compare wall times in the same run; on a shared machine read
// the CPU column too: ours is the processor time of all our threads,
// iradon's is its cpu_ms counter (it runs on one thread).
#include "PeerComparison.h"

#include "pixorama/platform/System.h"
#include "pixorama/workbench/Reconstruction.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr int sliceSize = 512;
constexpr int sliceViews = 720;

// A disc of radius 0.4 of the detector, exactly projected along rays at
// distance d from the centre: 2 sqrt(r^2 - d^2).
float chord(double d, double r)
{
    return d < r ? float(2 * std::sqrt(r * r - d * d)) : 0.0f;
}

CtGeometry sliceGeometry(Beam beam)
{
    CtGeometry g;
    g.beam = beam;
    g.columns = sliceSize;
    g.views = sliceViews;
    g.size = sliceSize;
    if (beam == Beam::Fan) {
        g.sod = 1000;
        g.sdd = 1500;
    }
    g.pixel = g.fieldPixel();
    return g;
}

ClassData2DIO<float> discSinogram(const CtGeometry& g)
{
    ClassData2DIO<float> s;
    s.SetDim(g.columns, g.views);
    const double r = 0.4 * g.columns * g.duAtAxis();
    for (int v = 0; v < g.views; ++v)
        for (int j = 0; j < g.columns; ++j) {
            const double u = (j - g.centreColumn()) * g.du;
            const double d = g.beam == Beam::Parallel ? u : g.sod * u / std::sqrt(g.sdd * g.sdd + u * u);
            s.rows[v][j] = chord(std::abs(d), r);
        }
    return s;
}

void sliceBench(benchmark::State& state, Beam beam)
{
    const CtGeometry g = sliceGeometry(beam);
    const ClassData2DIO<float> sinogram = discSinogram(g);
    ClassData2DIO<float> slice;
    for (auto _ : state) {
        ReconstructSlice(sinogram, g, RampChoice{}, slice);
        benchmark::DoNotOptimize(slice.rows[sliceSize / 2][sliceSize / 2]);
    }
    state.counters["pixel_updates/s"] =
        benchmark::Counter(double(sliceSize) * sliceSize * sliceViews, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ParallelFbp_512_720(benchmark::State& state)
{
    sliceBench(state, Beam::Parallel);
}
BENCHMARK(BM_ParallelFbp_512_720)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_FanFbp_512_720(benchmark::State& state)
{
    sliceBench(state, Beam::Fan);
}
BENCHMARK(BM_FanFbp_512_720)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// scikit-image's iradon on a 512-bin, 720-view sinogram into 512 x 512,
// timed by python3 around the call alone: wall time as the iteration's time,
// processor time as a counter.
void BM_SkimageIradon_512_720(benchmark::State& state)
{
    const char* script =
        "/usr/bin/python3 -c \"import time,numpy as np\n"
        "from skimage.transform import iradon\n"
        "s=np.random.rand(512,720).astype(np.float64)\n"
        "th=np.linspace(0.,180.,720,endpoint=False)\n"
        "iradon(s[:64,:8],theta=th[:8],filter_name='ramp')\n"
        "w=time.perf_counter();t=time.process_time()\n"
        "iradon(s,theta=th,filter_name='ramp',output_size=512,circle=True)\n"
        "print(time.perf_counter()-w,time.process_time()-t)\" 2>/dev/null";
    double cpu = 0;
    for (auto _ : state) {
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(script, "r"), pclose);
        double wall = 0, seconds = 0;
        if (!pipe || std::fscanf(pipe.get(), "%lf %lf", &wall, &seconds) != 2) {
            state.SkipWithError("python3 with scikit-image is not installed (PIXORAMA_BENCH_PEERS=1 scripts/setup.sh)");
            return;
        }
        state.SetIterationTime(wall);
        cpu += seconds;
    }
    state.counters["cpu_ms"] = benchmark::Counter(1000 * cpu / double(state.iterations()));
}
BENCHMARK(BM_SkimageIradon_512_720)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);

// FDK of an n^3 volume from 360 projections of (1.5 n)^2: weighting and
// filtering, then the back-projection.
CtGeometry coneGeometry(int n)
{
    CtGeometry g;
    g.beam = Beam::Cone;
    g.columns = g.rows = n * 3 / 2;
    g.views = 360;
    g.sod = 1000;
    g.sdd = 1500;
    g.size = n;
    g.pixel = g.fieldPixel();
    return g;
}

std::vector<ClassData2DIO<float>> coneFrames(const CtGeometry& g)
{
    ClassData2DIO<float> row;
    CtGeometry flat = g;
    flat.beam = Beam::Fan;
    flat.views = 1;
    const ClassData2DIO<float> one = discSinogram(flat);
    std::vector<ClassData2DIO<float>> frames(std::size_t(g.views));
    for (auto& f : frames) {
        f.SetDim(g.columns, g.rows);
        for (int r = 0; r < g.rows; ++r)
            std::copy_n(one.rows[0], g.columns, f.rows[r]);
    }
    return frames;
}

void BM_FdkFilter(benchmark::State& state)
{
    const CtGeometry g = coneGeometry(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<ClassData2DIO<float>> frames = coneFrames(g);
        FdkProjections fdk;
        state.ResumeTiming();
        fdk.Prepare(frames, 0, g, RampChoice{});
    }
}
// Three runs: its share of the whole is read from a few hundred milliseconds.
BENCHMARK(BM_FdkFilter)->Arg(128)->Arg(256)->Arg(384)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(3);

void BM_FdkBackProject(benchmark::State& state)
{
    const int n = int(state.range(0));
    const CtGeometry g = coneGeometry(n);
    FdkProjections fdk;
    {
        std::vector<ClassData2DIO<float>> frames = coneFrames(g);
        fdk.Prepare(frames, 0, g, RampChoice{});
    }
    std::vector<ClassData2DIO<float>> slices;
    // In runs of 128 slices, as the reconstruction commands go.
    for (auto _ : state)
        for (int k = 0; k < n; k += 128)
            fdk.BackProject(k, std::min(128, n - k), slices);
    state.counters["voxel_updates/s"] =
        benchmark::Counter(double(g.views) * n * n * n, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_FdkBackProject)->Arg(128)->Arg(256)->Arg(384)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    // As the program does at start.
    plat::keepLargeBlocksForReuse();
    PeerComparison comparison;
    comparison.pair("BM_ParallelFbp_512_720/process_time", "BM_SkimageIradon_512_720/iterations:2/manual_time");
    comparison.pair("BM_FanFbp_512_720/process_time", "BM_ParallelFbp_512_720/process_time");
    return comparison.run(argc, argv);
}
