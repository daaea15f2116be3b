// FDK: cosine-weighted, ramp-filtered cone-beam projections back-projected
// along the rays of a circular orbit.
#include "pixorama/workbench/Reconstruction.h"

#include "BeamWeights.h"
#include "FilteredRows.h"
#include "RampFilter.h"
#include "VoxelRun.h"

#include "pixorama/common/RowSplit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int viewBlock = 8;

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
    stride = count + 2 * rowPad;
    views.assign(std::size_t(g.views), {});
    // The cosine (and half-fan) weight of every detector pixel, the same for
    // every view.
    const std::vector<double> halfFan = HalfFanWeights(g);
    std::vector<double> weights(std::size_t(count) * std::size_t(g.columns));
    for (int r = 0; r < count; ++r) {
        const double v = (rowBegin + r - g.centreRow()) * g.du;
        for (int j = 0; j < g.columns; ++j) {
            const double u = (j - g.centreColumn()) * g.du;
            weights[std::size_t(r) * std::size_t(g.columns) + std::size_t(j)] =
                halfFan[std::size_t(j)] * g.sdd / std::sqrt(g.sdd * g.sdd + u * u + v * v);
        }
    }
    const RampFilter filter(g.columns, g.duAtAxis(), ramp, BackProjectionScale(g));
    for (int v0 = 0; v0 < g.views; v0 += viewBlock) {
        const int v1 = std::min(g.views, v0 + viewBlock);
        RowSplit::run(v1 - v0, threads, [&](int begin, int end) {
            for (int i = v0 + begin; i < v0 + end; ++i) {
                ClassData2DIO<float>& frame = frames[std::size_t(i)];
                for (int r = 0; r < count; ++r) {
                    float* row = frame.rows[r];
                    const double* weight = weights.data() + std::size_t(r) * std::size_t(g.columns);
                    for (int j = 0; j < g.columns; ++j)
                        row[j] = float(row[j] * weight[j]);
                }
                filter.Run(frame.rows, frame.rows, count);
                std::vector<float>& out = views[std::size_t(i)];
                // Slack past the last column for the wide loop's row windows.
                out.assign(std::size_t(g.columns + 2 * rowPad) * std::size_t(stride) + voxelRunSlack, 0.0f);
                // In square tiles, so that both sides stay in cache.
                constexpr int tile = 16;
                for (int r0 = 0; r0 < count; r0 += tile)
                    for (int j0 = 0; j0 < g.columns; j0 += tile)
                        for (int j = j0; j < std::min(j0 + tile, g.columns); ++j) {
                            float* column = out.data() + std::size_t(j + rowPad) * std::size_t(stride) + rowPad;
                            for (int r = r0; r < std::min(r0 + tile, count); ++r)
                                column[r] = frame.rows[r][j];
                        }
                frame.Clear();
            }
        });
        if (progress && !progress(v1))
            return false;
    }
    return true;
}

namespace {

// Views added to a voxel column while it sits in the first-level cache.
constexpr int columnViews = 4;

// A row of voxel columns seen from one view: lateral coordinate
// x * cosine + y * sine and depth -x * sine + y * cosine.
struct ViewLine {
    float cosine, sine, yy, half, pixel, sod, base, toColumns;
};

// Detector column (padded) and inverse source distance of voxel columns
// x0 ... x0 + n - 1, in a loop the compiler vectorises (divisions included);
// the AVX-512 copy does the same operations sixteen at a time.
inline void viewColumns(const ViewLine& l, int x0, int n, float* column, float* inverse)
{
    for (int i = 0; i < n; ++i) {
        const float xx = (float(x0 + i) - l.half) * l.pixel;
        const float t = xx * l.cosine + l.yy * l.sine;
        const float w = -xx * l.sine + l.yy * l.cosine;
        const float inv = 1.0f / (l.sod - w);
        inverse[i] = inv;
        column[i] = l.base + t * inv * l.toColumns;
    }
}

__attribute__((target("avx512f"))) void viewColumnsWidest(const ViewLine& l, int x0, int n, float* column, float* inverse)
{
    viewColumns(l, x0, n, column, inverse);
}

const bool widest = (__builtin_cpu_init(), __builtin_cpu_supports("avx512f"));

struct ColumnPass {
    const CtGeometry& g;
    const std::vector<std::vector<float>>& views;
    const std::vector<float>& cosines;
    const std::vector<float>& sines;
    int firstRow;
    int stride;
    int first; // first slice of the run
    int count;

    // Adds views v0 ... v1 - 1 to the voxel columns x0 ... x1 - 1 of row y
    // (columns holds column x0 first); scratch holds 2 * columnViews * (x1 - x0).
    void addViews(int v0, int v1, int y, int x0, int x1, float* columns, float* scratch) const
    {
        const int n = g.size;
        const float half = float(0.5 * (n - 1));
        const float centreRow = float(g.centreRow());
        const float slicesToRows = float(g.pixel * g.sdd / g.du);
        const int bandOrigin = firstRow - rowPad;
        // Rows are located in detector coordinates, never relative to the
        // band, so a slice comes out the same from any run.
        const float lowRow = float(bandOrigin);
        const float highRow = float(bandOrigin + stride) - 1.5f;
        const float colLimit = float(g.columns + rowPad);
        const int width = x1 - x0;
        float* column = scratch;
        float* inverse = scratch + std::size_t(columnViews) * std::size_t(width);
        for (int v = v0; v < v1; ++v) {
            const ViewLine line{cosines[std::size_t(v)], sines[std::size_t(v)], float((y - 0.5 * (n - 1)) * g.pixel),
                                half, float(g.pixel), float(g.sod), float(g.centreColumn() + rowPad), float(g.sdd / g.du)};
            const std::size_t at = std::size_t(v - v0) * std::size_t(width);
            if (widest && !PlainBackProjectionLoops())
                viewColumnsWidest(line, x0, width, column + at, inverse + at);
            else
                viewColumns(line, x0, width, column + at, inverse + at);
        }
        VoxelRun runs[columnViews];
        for (int i = 0; i < width; ++i) {
            int seen = 0;
            for (int v = v0; v < v1; ++v) {
                const std::size_t at = std::size_t(v - v0) * std::size_t(width) + std::size_t(i);
                const float pc = column[at], inv = inverse[at];
                if (!(pc >= 1.0f && pc < colLimit))
                    continue;
                const int ic = int(pc);
                const float m = float(g.sod) * inv;
                // Detector row of slice k: rowAt0 + k * rowStep.
                const float rowStep = slicesToRows * inv;
                const float* c0 = views[std::size_t(v)].data() + std::size_t(ic) * std::size_t(stride);
                runs[seen++] = {c0,      c0 + stride, pc - float(ic), m * m,     centreRow - half * rowStep,
                                rowStep, lowRow,      highRow,        bandOrigin};
            }
            AddViewsToColumn(runs, seen, first, count, columns + std::size_t(i) * std::size_t(count));
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
    // Each worker sums a square tile of voxel columns, about 512 kB, over
    // blocks of views in turn: the tile and the few detector columns it
    // reads in a view share the second-level cache.
    // At least sixteen tiles, so a run of a few slices still keeps every
    // worker busy.
    const int side = std::clamp(int(std::sqrt(double(1 << 17) / count)), 1, std::max(8, (n + 3) / 4));
    const int across = (n + side - 1) / side;
    const int tiles = across * across;
    const ColumnPass pass{g, views, cosines, sines, firstRow, stride, first, count};
    for (int t0 = 0; t0 < tiles; t0 += 2 * threads) {
        const int t1 = std::min(tiles, t0 + 2 * threads);
        RowSplit::run(t1 - t0, threads, [&](int begin, int end) {
            for (int t = t0 + begin; t < t0 + end; ++t) {
                const int x0 = (t % across) * side, x1 = std::min(n, x0 + side);
                const int y0 = (t / across) * side, y1 = std::min(n, y0 + side);
                const std::size_t rowSize = std::size_t(x1 - x0) * std::size_t(count);
                std::vector<float> columns(std::size_t(y1 - y0) * rowSize, 0.0f);
                std::vector<float> scratch(2 * columnViews * std::size_t(x1 - x0));
                for (int v = 0; v < g.views; v += columnViews)
                    for (int y = y0; y < y1; ++y)
                        pass.addViews(v, std::min(g.views, v + columnViews), y, x0, x1,
                                      columns.data() + std::size_t(y - y0) * rowSize, scratch.data());
                for (int y = y0; y < y1; ++y)
                    for (int x = x0; x < x1; ++x) {
                        const float* voxels = columns.data() + std::size_t(y - y0) * rowSize + std::size_t(x - x0) * std::size_t(count);
                        for (int k = 0; k < count; ++k)
                            slices[std::size_t(k)].rows[y][x] = voxels[k];
                    }
            }
        });
        if (progress && !progress(int(std::int64_t(g.views) * t1 / tiles)))
            return false;
    }
    return true;
}
