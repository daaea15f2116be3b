// Parallel-beam and fan-beam filtered back-projection of one slice.
#include "pixorama/workbench/Reconstruction.h"

#include "BeamWeights.h"
#include "FilteredRows.h"
#include "RampFilter.h"
#include "VoxelRun.h"

#include "pixorama/common/RowSplit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <immintrin.h>

namespace {

constexpr int viewBlock = 64;

int threadsOr(int threads)
{
    return threads > 0 ? threads : RowSplit::threadCount();
}

// Weighted, filtered and padded copy of the sinogram.
ClassData2DIO<float> filteredSinogram(const ClassData2DIO<float>& sinogram, const CtGeometry& g, const RampChoice& ramp,
                                      int threads)
{
    const int w = g.columns;
    std::vector<double> weight = HalfFanWeights(g);
    if (g.beam != Beam::Parallel)
        for (int j = 0; j < w; ++j) {
            const double u = (j - g.centreColumn()) * g.du;
            weight[std::size_t(j)] *= g.sdd / std::sqrt(g.sdd * g.sdd + u * u);
        }
    ClassData2DIO<float> padded;
    padded.SetDim(w + 2 * rowPad, g.views);
    const RampFilter filter(w, g.duAtAxis(), ramp, BackProjectionScale(g));
    RowSplit::run(g.views, threads, [&](int begin, int end) {
        std::vector<float*> rows;
        for (int v = begin; v < end; ++v) {
            float* row = padded.rows[v] + rowPad;
            for (int j = 0; j < w; ++j)
                row[j] = float(sinogram.rows[v][j] * weight[std::size_t(j)]);
            rows.push_back(row);
        }
        filter.Run(rows.data(), rows.data(), int(rows.size()));
    });
    return padded;
}

// One sample at a time.
void addSamplesPlain(const float* row, const float* pos, const float* weight, int n, float limit, float* out)
{
    for (int x = 0; x < n; ++x) {
        const float v = SampleRow(row, pos[x], limit);
        out[x] += weight ? weight[x] * v : v;
    }
}

__attribute__((target("avx2"))) void addSamplesWide(const float* row, const float* pos, const float* weight, int n,
                                                   float limit, float* out)
{
    const __m256 zero = _mm256_setzero_ps(), high = _mm256_set1_ps(limit);
    int x = 0;
    for (; x + 8 <= n; x += 8) {
        const __m256 p = _mm256_min_ps(_mm256_max_ps(_mm256_loadu_ps(pos + x), zero), high);
        const __m256i i = _mm256_cvttps_epi32(p);
        const __m256 f = _mm256_sub_ps(p, _mm256_cvtepi32_ps(i));
        const __m256 a = _mm256_i32gather_ps(row, i, 4);
        const __m256 b = _mm256_i32gather_ps(row + 1, i, 4);
        __m256 v = _mm256_add_ps(a, _mm256_mul_ps(f, _mm256_sub_ps(b, a)));
        if (weight)
            v = _mm256_mul_ps(_mm256_loadu_ps(weight + x), v);
        _mm256_storeu_ps(out + x, _mm256_add_ps(_mm256_loadu_ps(out + x), v));
    }
    addSamplesPlain(row, pos + x, weight ? weight + x : nullptr, n - x, limit, out + x);
}

// Sixteen samples at a time, the same way. Where sixteen neighbouring
// pixels fall within 30 detector columns of the nearer end's column (the
// usual case: positions run monotonically along a row unless it passes
// behind the source), both interpolation ends come out of a 32-column window
// by lane permutes.
__attribute__((target("avx512f"))) void addSamplesWidest(const float* row, int rowLength, const float* pos,
                                                        const float* weight, int n, float limit, float* out)
{
    const __m512 zero = _mm512_setzero_ps(), high = _mm512_set1_ps(limit);
    const __m512i one = _mm512_set1_epi32(1), span = _mm512_set1_epi32(30);
    int x = 0;
    for (; x + 16 <= n; x += 16) {
        const __m512 p = _mm512_min_ps(_mm512_max_ps(_mm512_loadu_ps(pos + x), zero), high);
        const __m512i i = _mm512_cvttps_epi32(p);
        const __m512 f = _mm512_sub_ps(p, _mm512_cvtepi32_ps(i));
        const int first = _mm_cvtsi128_si32(_mm512_castsi512_si128(i));
        const int last = _mm_extract_epi32(_mm512_extracti32x4_epi32(i, 3), 3);
        const int start = std::min(first, last);
        const __m512i index = _mm512_sub_epi32(i, _mm512_set1_epi32(start));
        __m512 a, b;
        if (start + 32 <= rowLength && !_mm512_cmpgt_epu32_mask(index, span)) {
            const __m512 low = _mm512_loadu_ps(row + start), upper = _mm512_loadu_ps(row + start + 16);
            a = _mm512_permutex2var_ps(low, index, upper);
            b = _mm512_permutex2var_ps(low, _mm512_add_epi32(index, one), upper);
        } else {
            a = _mm512_i32gather_ps(i, row, 4);
            b = _mm512_i32gather_ps(i, row + 1, 4);
        }
        __m512 v = _mm512_add_ps(a, _mm512_mul_ps(f, _mm512_sub_ps(b, a)));
        if (weight)
            v = _mm512_mul_ps(_mm512_loadu_ps(weight + x), v);
        _mm512_storeu_ps(out + x, _mm512_add_ps(_mm512_loadu_ps(out + x), v));
    }
    addSamplesWide(row, pos + x, weight ? weight + x : nullptr, n - x, limit, out + x);
}

// Static initialisers run before the processor model is filled in.
const bool wide = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
const bool widest = wide && __builtin_cpu_supports("avx512f");

// out[x] += weight[x] * (the filtered row at pos[x]); weight may be null (1).
void addSamples(const float* row, int rowLength, const float* pos, const float* weight, int n, float limit, float* out)
{
    if (widest && !PlainBackProjectionLoops())
        addSamplesWidest(row, rowLength, pos, weight, n, limit, out);
    else if (wide && !PlainBackProjectionLoops())
        addSamplesWide(row, pos, weight, n, limit, out);
    else
        addSamplesPlain(row, pos, weight, n, limit, out);
}

struct ViewTrig {
    float cosine;
    float sine;
};

void parallelRows(const ClassData2DIO<float>& p, const CtGeometry& g, const std::vector<ViewTrig>& trig, int v0, int v1,
                  ClassData2DIO<float>& slice, int begin, int end)
{
    const int n = g.size;
    const double half = 0.5 * (n - 1);
    const float limit = PaddedLimit(g.columns);
    const double base = g.centreColumn() + rowPad;
    std::vector<float> position(static_cast<std::size_t>(n));
    for (int r = begin; r < end; ++r) {
        const double y = (r - half) * g.pixel;
        float* out = slice.rows[r];
        for (int v = v0; v < v1; ++v) {
            const double c = trig[std::size_t(v)].cosine, s = trig[std::size_t(v)].sine;
            const float dp = float(g.pixel * c / g.du);
            const float p0 = float(base + (-half * g.pixel * c + y * s) / g.du);
            float* pos = position.data();
            for (int x = 0; x < n; ++x)
                pos[x] = p0 + float(x) * dp;
            addSamples(p.rows[v], p.width, pos, nullptr, n, limit, out);
        }
    }
}

// A row of pixels seen from one fan-beam view: lateral coordinate t0 + x dt,
// depth w0 + x dw.
struct FanLine {
    float t0, dt, w0, dw, sod, base, toColumns;
};

// Detector positions and distance weights of the row's pixels, in a loop
// the compiler vectorises (divisions included); the AVX-512 copy does the
// same operations sixteen at a time.
inline void fanSamples(const FanLine& l, int n, float* pos, float* wt)
{
    for (int x = 0; x < n; ++x) {
        const float inv = 1.0f / (l.sod - (l.w0 + float(x) * l.dw));
        const float m = l.sod * inv;
        wt[x] = m * m;
        pos[x] = l.base + (l.t0 + float(x) * l.dt) * inv * l.toColumns;
    }
}

__attribute__((target("avx512f"))) void fanSamplesWidest(const FanLine& l, int n, float* pos, float* wt)
{
    fanSamples(l, n, pos, wt);
}

void fanRows(const ClassData2DIO<float>& p, const CtGeometry& g, const std::vector<ViewTrig>& trig, int v0, int v1,
             ClassData2DIO<float>& slice, int begin, int end)
{
    const int n = g.size;
    const double half = 0.5 * (n - 1);
    const float limit = PaddedLimit(g.columns);
    const float base = float(g.centreColumn() + rowPad);
    const float toColumns = float(g.sdd / g.du);
    const float sod = float(g.sod);
    // Positions and weights first, in a loop the compiler vectorises (it
    // holds the divisions); then the reads from the filtered row.
    std::vector<float> position(static_cast<std::size_t>(n)), weight(static_cast<std::size_t>(n));
    for (int r = begin; r < end; ++r) {
        const double y = (r - half) * g.pixel;
        float* out = slice.rows[r];
        for (int v = v0; v < v1; ++v) {
            const float* row = p.rows[v];
            const double c = trig[std::size_t(v)].cosine, s = trig[std::size_t(v)].sine;
            const float t0 = float(-half * g.pixel * c + y * s);
            const float dt = float(g.pixel * c);
            const float w0 = float(half * g.pixel * s + y * c);
            const float dw = float(-g.pixel * s);
            const FanLine line{t0, dt, w0, dw, sod, base, toColumns};
            float* pos = position.data();
            float* wt = weight.data();
            if (widest && !PlainBackProjectionLoops())
                fanSamplesWidest(line, n, pos, wt);
            else
                fanSamples(line, n, pos, wt);
            addSamples(row, p.width, pos, wt, n, limit, out);
        }
    }
}

} // namespace

bool FilterSinogram(const ClassData2DIO<float>& sinogram, const CtGeometry& g, const RampChoice& ramp,
                    ClassData2DIO<float>& filtered, int threads)
{
    if (!g.Valid() || sinogram.IsEmpty() || sinogram.width != g.columns || sinogram.height != g.views)
        return false;
    const ClassData2DIO<float> padded = filteredSinogram(sinogram, g, ramp, threadsOr(threads));
    filtered.SetDim(g.columns, g.views);
    for (int v = 0; v < g.views; ++v)
        std::copy_n(padded.rows[v] + rowPad, g.columns, filtered.rows[v]);
    return true;
}

bool ReconstructSlice(const ClassData2DIO<float>& sinogram, const CtGeometry& g, const RampChoice& ramp,
                      ClassData2DIO<float>& slice, int threads, const ReconProgress& progress)
{
    if (!g.Valid() || sinogram.IsEmpty() || sinogram.width != g.columns || sinogram.height != g.views)
        return false;
    threads = threadsOr(threads);
    const ClassData2DIO<float> filtered = filteredSinogram(sinogram, g, ramp, threads);
    std::vector<ViewTrig> trig(std::size_t(g.views));
    for (int v = 0; v < g.views; ++v)
        trig[std::size_t(v)] = {float(std::cos(g.angle(v))), float(std::sin(g.angle(v)))};
    ClassData2DIO<float> result;
    result.SetDim(g.size, g.size);
    for (int v0 = 0; v0 < g.views; v0 += viewBlock) {
        const int v1 = std::min(g.views, v0 + viewBlock);
        RowSplit::run(g.size, threads, [&](int begin, int end) {
            if (g.beam == Beam::Parallel)
                parallelRows(filtered, g, trig, v0, v1, result, begin, end);
            else
                fanRows(filtered, g, trig, v0, v1, result, begin, end);
        });
        if (progress && !progress(v1))
            return false;
    }
    slice = result;
    return true;
}
