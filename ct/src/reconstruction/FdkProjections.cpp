// FDK: cosine-weighted, ramp-filtered cone-beam projections back-projected
// along the rays of a circular orbit.
#include "pixorama/workbench/Reconstruction.h"

#include "BeamWeights.h"
#include "FilteredRows.h"
#include "RampFilter.h"

#include "pixorama/common/RowSplit.h"

#include <algorithm>
#include <cmath>

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
                out.assign(std::size_t(g.columns + 2 * rowPad) * std::size_t(stride), 0.0f);
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

// One voxel column's slices first ... first + count - 1 against a blended
// detector column (mix, indexed by row - bandOrigin).
struct VoxelRun {
    float rowAt0;
    float rowStep;
    float lowRow;
    float highRow;
    int bandOrigin;
    int first;
    int count;
};

void addColumnPlain(const VoxelRun& r, const float* mix, float* voxels)
{
    for (int k = 0; k < r.count; ++k) {
        const float p = std::clamp(r.rowAt0 + float(r.first + k) * r.rowStep, r.lowRow, r.highRow);
        const int whole = floorOf(p);
        const float f = p - float(whole);
        const int i = whole - r.bandOrigin;
        voxels[k] += mix[i] + f * (mix[i + 1] - mix[i]);
    }
}

// The same operations in the same order, eight voxels at a time with
// gathers; no fused multiply-add, so the bits match the plain loop.
__attribute__((target("avx2"))) void addColumnWide(const VoxelRun& r, const float* mix, float* voxels)
{
    const __m256 at0 = _mm256_set1_ps(r.rowAt0), step = _mm256_set1_ps(r.rowStep);
    const __m256 low = _mm256_set1_ps(r.lowRow), high = _mm256_set1_ps(r.highRow);
    const __m256 four = _mm256_set1_ps(4.0f);
    const __m256i fourInt = _mm256_set1_epi32(4), origin = _mm256_set1_epi32(r.bandOrigin);
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    int k = 0;
    for (; k + 8 <= r.count; k += 8) {
        const __m256i index = _mm256_add_epi32(_mm256_set1_epi32(r.first + k), lanes);
        __m256 p = _mm256_add_ps(at0, _mm256_mul_ps(_mm256_cvtepi32_ps(index), step));
        p = _mm256_min_ps(_mm256_max_ps(p, low), high);
        const __m256i whole = _mm256_sub_epi32(_mm256_cvttps_epi32(_mm256_add_ps(p, four)), fourInt);
        const __m256 f = _mm256_sub_ps(p, _mm256_cvtepi32_ps(whole));
        const __m256i i = _mm256_sub_epi32(whole, origin);
        const __m256 a = _mm256_i32gather_ps(mix, i, 4);
        const __m256 b = _mm256_i32gather_ps(mix + 1, i, 4);
        const __m256 v = _mm256_add_ps(a, _mm256_mul_ps(f, _mm256_sub_ps(b, a)));
        _mm256_storeu_ps(voxels + k, _mm256_add_ps(_mm256_loadu_ps(voxels + k), v));
    }
    VoxelRun rest = r;
    rest.first += k;
    rest.count -= k;
    addColumnPlain(rest, mix, voxels + k);
}

// Static initialisers run before the processor model is filled in.
const bool wide = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));

void addColumn(const VoxelRun& r, const float* mix, float* voxels)
{
    if (wide)
        addColumnWide(r, mix, voxels);
    else
        addColumnPlain(r, mix, voxels);
}

struct ColumnPass {
    const CtGeometry& g;
    int firstRow;
    int rowCount;
    int stride;
    int first; // first slice of the run
    int count;

    // Adds view `view` (angle cosine c, sine s) to the voxel columns of row y.
    void addView(const std::vector<float>& proj, float c, float s, int y, float* columns, float* mix) const
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
            const float fu = pc - float(ic);
            const float m = sod * inv;
            const float weight = m * m;
            // Detector row of slice k: rowAt0 + k * rowStep, in detector rows.
            const float rowStep = slicesToRows * inv;
            const float rowAt0 = centreRow - float(half) * rowStep;
            const float* c0 = proj.data() + std::size_t(ic) * std::size_t(stride);
            const float* c1 = c0 + stride;
            // Rows are located in detector coordinates, never relative to
            // the band, so a slice comes out the same from any run.
            const float pa = std::clamp(rowAt0 + float(first) * rowStep, lowRow, highRow);
            const float pb = std::clamp(rowAt0 + float(first + count - 1) * rowStep, lowRow, highRow);
            const int lo = std::max(floorOf(std::min(pa, pb)) - bandOrigin, 0);
            const int hi = std::min(floorOf(std::max(pa, pb)) - bandOrigin + 1, stride - 1);
            for (int i = lo; i <= hi; ++i)
                mix[i] = weight * (c0[i] + fu * (c1[i] - c0[i]));
            const VoxelRun run{rowAt0, rowStep, lowRow, highRow, bandOrigin, first, count};
            addColumn(run, mix, columns + std::size_t(x) * std::size_t(count));
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
    // Voxel columns: (y * n + x) * count + k.
    std::vector<float> volume(std::size_t(n) * std::size_t(n) * std::size_t(count), 0.0f);
    const ColumnPass pass{g, firstRow, rowCount, stride, first, count};
    for (int v0 = 0; v0 < g.views; v0 += viewBlock) {
        const int v1 = std::min(g.views, v0 + viewBlock);
        RowSplit::run(n, threads, [&](int begin, int end) {
            std::vector<float> mix(std::size_t(stride) + 1);
            for (int y = begin; y < end; ++y)
                for (int v = v0; v < v1; ++v) {
                    const double theta = g.angle(v);
                    pass.addView(views[std::size_t(v)], float(std::cos(theta)), float(std::sin(theta)), y,
                                 volume.data() + std::size_t(y) * std::size_t(n) * std::size_t(count), mix.data());
                }
        });
        if (progress && !progress(v1))
            return false;
    }
    slices.assign(std::size_t(count), {});
    for (auto& s : slices)
        s.SetDim(n, n);
    RowSplit::run(n, threads, [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            for (int x = 0; x < n; ++x) {
                const float* voxels = volume.data() + (std::size_t(y) * std::size_t(n) + std::size_t(x)) * std::size_t(count);
                for (int k = 0; k < count; ++k)
                    slices[std::size_t(k)].rows[y][x] = voxels[k];
            }
    });
    return true;
}
