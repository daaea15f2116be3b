// FDK: cosine-weighted, ramp-filtered cone-beam projections back-projected
// along the rays of a circular orbit.
#include "pixorama/workbench/Reconstruction.h"

#include "BeamWeights.h"
#include "FilteredRows.h"
#include "RampFilter.h"

#include "pixorama/common/RowSplit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <immintrin.h>

namespace {

constexpr int viewBlock = 8;

// Whole part of a row position >= -rowPad (branch-free; a position a hair
// below an integer may round up, leaving a fraction of -1e-7).
inline int floorOf(float p)
{
    return int(p + 4.0f) - 4;
}

int threadsOr(int threads)
{
    return threads > 0 ? threads : RowSplit::threadCount();
}

} // namespace

void FdkProjections::RowsFor(const CtGeometry& g, int first, int count, int& rowBegin, int& rowEnd)
{
    const double half = 0.5 * (g.size - 1);
    const double reach = half * g.pixel * std::sqrt(2.0) + g.pixel;
    rowBegin = 0;
    rowEnd = g.rows;
    if (g.sod - reach <= 0)
        return;
    double lo = 1e300, hi = -1e300;
    for (const int k : {first, first + count - 1})
        for (const double depth : {g.sod - reach, g.sod + reach}) {
            const double row = g.centreRow() + (k - half) * g.pixel * g.sdd / depth / g.du;
            lo = std::min(lo, row);
            hi = std::max(hi, row);
        }
    // Even bounds: the filter transforms rows 2m and 2m + 1 together, so
    // every band pairs the same rows and filters them to the same bits.
    rowBegin = std::clamp((int(std::floor(lo)) - 2) & ~1, 0, g.rows);
    rowEnd = std::clamp((int(std::ceil(hi)) + 4) & ~1, rowBegin, g.rows);
}

bool FdkProjections::Prepare(std::vector<ClassData2DIO<float>>& frames, int rowBegin, const CtGeometry& g,
                             const RampChoice& ramp, int threads, const ReconProgress& progress)
{
    if (!g.Valid() || g.beam != Beam::Cone || int(frames.size()) != g.views || frames.empty())
        return false;
    const int count = frames.front().height;
    for (const auto& f : frames)
        if (f.IsEmpty() || f.width != g.columns || f.height != count)
            return false;
    if (rowBegin < 0 || rowBegin % 2 != 0 || rowBegin + count > g.rows)
        return false;
    threads = threadsOr(threads);
    geometry = g;
    firstRow = rowBegin;
    rowCount = count;
    stride = count + 2 * rowPad;
    views.assign(std::size_t(g.views), {});
    const std::vector<double> halfFan = HalfFanWeights(g);
    const RampFilter filter(g.columns, g.duAtAxis(), ramp, BackProjectionScale(g));
    for (int v0 = 0; v0 < g.views; v0 += viewBlock) {
        const int v1 = std::min(g.views, v0 + viewBlock);
        RowSplit::run(v1 - v0, threads, [&](int begin, int end) {
            for (int i = v0 + begin; i < v0 + end; ++i) {
                ClassData2DIO<float>& frame = frames[std::size_t(i)];
                for (int r = 0; r < count; ++r) {
                    const double v = (rowBegin + r - g.centreRow()) * g.du;
                    float* row = frame.rows[r];
                    for (int j = 0; j < g.columns; ++j) {
                        const double u = (j - g.centreColumn()) * g.du;
                        row[j] = float(row[j] * halfFan[std::size_t(j)] * g.sdd / std::sqrt(g.sdd * g.sdd + u * u + v * v));
                    }
                }
                filter.Run(frame.rows, frame.rows, count);
                std::vector<float>& out = views[std::size_t(i)];
                // Slack past the last column for the wide loop's row windows.
                out.assign(std::size_t(g.columns + 2 * rowPad) * std::size_t(stride) + 16, 0.0f);
                for (int r = 0; r < count; ++r)
                    for (int j = 0; j < g.columns; ++j)
                        out[std::size_t(j + rowPad) * std::size_t(stride) + std::size_t(r + rowPad)] = frame.rows[r][j];
                frame.Clear();
            }
        });
        if (progress && !progress(v1))
            return false;
    }
    return true;
}

namespace {

// One voxel column's slices first ... first + count - 1 against the detector
// columns c0 and c1 (indexed by row - bandOrigin), blended by fu and weighted:
// the column holds weight * (c0 + fu * (c1 - c0)).
struct VoxelRun {
    const float* c0;
    const float* c1;
    float fu;
    float weight;
    float rowAt0;
    float rowStep;
    float lowRow;
    float highRow;
    int bandOrigin;
    int first;
    int count;

    float blended(int i) const { return weight * (c0[i] + fu * (c1[i] - c0[i])); }
};

void addColumnPlain(const VoxelRun& r, float* voxels)
{
    for (int k = 0; k < r.count; ++k) {
        const float p = std::clamp(r.rowAt0 + float(r.first + k) * r.rowStep, r.lowRow, r.highRow);
        const int whole = floorOf(p);
        const float f = p - float(whole);
        const int i = whole - r.bandOrigin;
        const float a = r.blended(i);
        voxels[k] += a + f * (r.blended(i + 1) - a);
    }
}

// The same operations in the same order, eight voxels at a time. Eight
// consecutive slices span at most 16 detector rows when a slice step is at
// most two rows, so both interpolation ends come from 16-row windows of the
// blended column by lane permutes instead of gathers. No fused multiply-add,
// so the bits match the plain loop.
struct Window {
    __m256 low;
    __m256 high;
};

__attribute__((target("avx2"))) inline __m256 blendedAt(const VoxelRun& r, int i, __m256 fu, __m256 weight)
{
    const __m256 a = _mm256_loadu_ps(r.c0 + i);
    return _mm256_mul_ps(weight, _mm256_add_ps(a, _mm256_mul_ps(fu, _mm256_sub_ps(_mm256_loadu_ps(r.c1 + i), a))));
}

__attribute__((target("avx2"))) inline __m256 pick(const Window& w, __m256i index, __m256 second)
{
    return _mm256_blendv_ps(_mm256_permutevar8x32_ps(w.low, index), _mm256_permutevar8x32_ps(w.high, index), second);
}

__attribute__((target("avx2"))) void addColumnWide(const VoxelRun& r, float* voxels)
{
    if (!(r.rowStep <= 2.0f)) {
        addColumnPlain(r, voxels);
        return;
    }
    const __m256 step = _mm256_set1_ps(r.rowStep), at0 = _mm256_set1_ps(r.rowAt0);
    const __m256 low = _mm256_set1_ps(r.lowRow), high = _mm256_set1_ps(r.highRow);
    const __m256 fu = _mm256_set1_ps(r.fu), weight = _mm256_set1_ps(r.weight);
    const __m256 four = _mm256_set1_ps(4.0f), eight = _mm256_set1_ps(8.0f);
    const __m256i fourInt = _mm256_set1_epi32(4), upper = _mm256_set1_epi32(7);
    __m256 slice = _mm256_add_ps(_mm256_set1_ps(float(r.first)), _mm256_setr_ps(0, 1, 2, 3, 4, 5, 6, 7));
    int k = 0;
    for (; k + 8 <= r.count; k += 8, slice = _mm256_add_ps(slice, eight)) {
        __m256 p = _mm256_add_ps(at0, _mm256_mul_ps(slice, step));
        p = _mm256_min_ps(_mm256_max_ps(p, low), high);
        const __m256i whole = _mm256_sub_epi32(_mm256_cvttps_epi32(_mm256_add_ps(p, four)), fourInt);
        const __m256 f = _mm256_sub_ps(p, _mm256_cvtepi32_ps(whole));
        const int start = _mm256_cvtsi256_si32(whole);
        const __m256i index = _mm256_sub_epi32(whole, _mm256_set1_epi32(start));
        const __m256 second = _mm256_castsi256_ps(_mm256_cmpgt_epi32(index, upper));
        const int i = start - r.bandOrigin;
        const __m256 a = pick({blendedAt(r, i, fu, weight), blendedAt(r, i + 8, fu, weight)}, index, second);
        const __m256 b = pick({blendedAt(r, i + 1, fu, weight), blendedAt(r, i + 9, fu, weight)}, index, second);
        const __m256 v = _mm256_add_ps(a, _mm256_mul_ps(f, _mm256_sub_ps(b, a)));
        _mm256_storeu_ps(voxels + k, _mm256_add_ps(_mm256_loadu_ps(voxels + k), v));
    }
    VoxelRun rest = r;
    rest.first += k;
    rest.count -= k;
    addColumnPlain(rest, voxels + k);
}

// Static initialisers run before the processor model is filled in.
const bool wide = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));

void addColumn(const VoxelRun& r, float* voxels)
{
    if (wide)
        addColumnWide(r, voxels);
    else
        addColumnPlain(r, voxels);
}

struct ColumnPass {
    const CtGeometry& g;
    int firstRow;
    int stride;
    int first; // first slice of the run
    int count;

    // Adds view `view` (angle cosine c, sine s) to the voxel columns of row y.
    void addView(const std::vector<float>& proj, float c, float s, int y, float* columns) const
    {
        const int n = g.size;
        const double half = 0.5 * (n - 1);
        const float sod = float(g.sod);
        const float toColumns = float(g.sdd / g.du);
        const float base = float(g.centreColumn() + rowPad);
        const float centreRow = float(g.centreRow());
        const float slicesToRows = float(g.pixel * g.sdd / g.du);
        const float yy = float((y - half) * g.pixel);
        const int bandOrigin = firstRow - rowPad;
        // Rows are located in detector coordinates, never relative to the
        // band, so a slice comes out the same from any run.
        const float lowRow = float(bandOrigin);
        const float highRow = float(bandOrigin + stride) - 1.5f;
        const float pixel = float(g.pixel);
        const float colLimit = float(g.columns + rowPad);
        for (int x = 0; x < n; ++x) {
            const float xx = (float(x) - float(half)) * pixel;
            const float t = xx * c + yy * s;
            const float w = -xx * s + yy * c;
            const float inv = 1.0f / (sod - w);
            const float pc = base + t * inv * toColumns;
            if (!(pc >= 1.0f && pc < colLimit))
                continue;
            const int ic = int(pc);
            const float m = sod * inv;
            // Detector row of slice k: rowAt0 + k * rowStep, in detector rows.
            const float rowStep = slicesToRows * inv;
            const float* c0 = proj.data() + std::size_t(ic) * std::size_t(stride);
            const VoxelRun run{c0,     c0 + stride, pc - float(ic), m * m,  centreRow - float(half) * rowStep,
                               rowStep, lowRow,     highRow,        bandOrigin, first, count};
            addColumn(run, columns + std::size_t(x) * std::size_t(count));
        }
    }
};

} // namespace

bool FdkProjections::BackProject(int first, int count, std::vector<ClassData2DIO<float>>& slices, int threads,
                                 const ReconProgress& progress) const
{
    const CtGeometry& g = geometry;
    if (views.empty() || count <= 0 || first < 0 || first + count > g.size)
        return false;
    threads = threadsOr(threads);
    const int n = g.size;
    std::vector<float> cosines(std::size_t(g.views)), sines(std::size_t(g.views));
    for (int v = 0; v < g.views; ++v) {
        cosines[std::size_t(v)] = float(std::cos(g.angle(v)));
        sines[std::size_t(v)] = float(std::sin(g.angle(v)));
    }
    slices.assign(std::size_t(count), {});
    for (auto& s : slices)
        s.SetDim(n, n);
    // Each worker sums a band of voxel rows, about 1 MB of voxel columns
    // ((y * n + x) * count + k), over every view in turn: the band stays in
    // the processor's cache while the view it reads is shared by all its rows.
    const int band = std::clamp((1 << 18) / (n * count), 1, n);
    const ColumnPass pass{g, firstRow, stride, first, count};
    for (int y0 = 0; y0 < n; y0 += band * threads) {
        const int rows = std::min(band * threads, n - y0);
        RowSplit::run(rows, threads, [&](int begin, int end) {
            std::vector<float> columns(std::size_t(end - begin) * std::size_t(n) * std::size_t(count), 0.0f);
            for (int v = 0; v < g.views; ++v)
                for (int y = begin; y < end; ++y)
                    pass.addView(views[std::size_t(v)], cosines[std::size_t(v)], sines[std::size_t(v)], y0 + y,
                                 columns.data() + std::size_t(y - begin) * std::size_t(n) * std::size_t(count));
            for (int y = begin; y < end; ++y)
                for (int x = 0; x < n; ++x) {
                    const float* voxels = columns.data() + (std::size_t(y - begin) * std::size_t(n) + std::size_t(x)) * std::size_t(count);
                    for (int k = 0; k < count; ++k)
                        slices[std::size_t(k)].rows[y0 + y][x] = voxels[k];
                }
        });
        if (progress && !progress(int(std::int64_t(g.views) * (y0 + rows) / n)))
            return false;
    }
    return true;
}
