#include "pixorama/workbench/WatershedCore.h"

#include "HotKernel.h"
#include "pixorama/common/RowSplit.h"

#include <algorithm>

#include <cstring>
#include <vector>

// The 32-byte vectors below never cross a call: every function taking or
// returning one is inlined, so the AVX calling convention does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

// 32 bytes, one AVX2 register in the x86-64-v3 build and two SSE2 registers
// in the baseline build.
using Lane = unsigned char __attribute__((vector_size(32)));
constexpr int laneBytes = int(sizeof(Lane));

inline __attribute__((always_inline)) Lane LoadLane(const unsigned char* p)
{
    Lane v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline __attribute__((always_inline)) void StoreLane(unsigned char* p, const Lane& v)
{
    std::memcpy(p, &v, sizeof v);
}

struct LaneMax {
    static constexpr unsigned char identity = 0;
    static unsigned char one(unsigned char a, unsigned char b) { return a > b ? a : b; }
    static void many(Lane& a, const Lane& b) { a = a > b ? a : b; }
};

struct LaneMin {
    static constexpr unsigned char identity = 255;
    static unsigned char one(unsigned char a, unsigned char b) { return a < b ? a : b; }
    static void many(Lane& a, const Lane& b) { a = a < b ? a : b; }
};

// out[x] = Op over runs[0][x] .. runs[count - 1][x], the running value held in
// registers. The runs are source rows, or shifted views of one line.
template <typename Op>
inline __attribute__((always_inline)) void CombineRuns(const unsigned char* const* runs, int count, unsigned char* out,
                                                       int w)
{
    int x = 0;
    for (; x + 2 * laneBytes <= w; x += 2 * laneBytes) {
        Lane a = LoadLane(runs[0] + x);
        Lane b = LoadLane(runs[0] + x + laneBytes);
        for (int k = 1; k < count; ++k) {
            Op::many(a, LoadLane(runs[k] + x));
            Op::many(b, LoadLane(runs[k] + x + laneBytes));
        }
        StoreLane(out + x, a);
        StoreLane(out + x + laneBytes, b);
    }
    for (; x < w; ++x) {
        unsigned char m = runs[0][x];
        for (int k = 1; k < count; ++k)
            m = Op::one(m, runs[k][x]);
        out[x] = m;
    }
}

// The windows of 3 and 5 (radius 1 and 2, the common ones) get the loop over
// the runs unrolled.
template <typename Op>
inline __attribute__((always_inline)) void CombineSomeRuns(const unsigned char* const* runs, int count,
                                                           unsigned char* out, int w)
{
    if (count == 3)
        CombineRuns<Op>(runs, 3, out, w);
    else if (count == 5)
        CombineRuns<Op>(runs, 5, out, w);
    else
        CombineRuns<Op>(runs, count, out, w);
}

PIX_WB_HOT void MaxOfRuns(const unsigned char* const* runs, int count, unsigned char* out, int w)
{
    CombineSomeRuns<LaneMax>(runs, count, out, w);
}

PIX_WB_HOT void MinOfRuns(const unsigned char* const* runs, int count, unsigned char* out, int w)
{
    CombineSomeRuns<LaneMin>(runs, count, out, w);
}

template <typename Op>
void OfRuns(const unsigned char* const* runs, int count, unsigned char* out, int w)
{
    if constexpr (Op::identity == 0)
        MaxOfRuns(runs, count, out, w);
    else
        MinOfRuns(runs, count, out, w);
}

// The source rows one band reads: its own rows straight from the picture,
// the rows within halo of it from copies taken before any band wrote, so
// that the bands may write over the picture they read.
class BandRows {
public:
    BandRows(const unsigned char* const* picture, int w, int h, int halo, RowSplit::Range band)
        : picture(picture), w(std::size_t(w)), band(band), firstAbove(std::max(0, band.begin - halo))
    {
        const int lastBelow = std::min(h, band.end + halo);
        above.resize(std::size_t(band.begin - firstAbove) * this->w);
        below.resize(std::size_t(std::max(0, lastBelow - band.end)) * this->w);
        for (int sy = firstAbove; sy < band.begin; ++sy)
            std::memcpy(above.data() + std::size_t(sy - firstAbove) * this->w, picture[sy], this->w);
        for (int sy = band.end; sy < lastBelow; ++sy)
            std::memcpy(below.data() + std::size_t(sy - band.end) * this->w, picture[sy], this->w);
    }

    const unsigned char* row(int sy) const
    {
        if (sy < band.begin)
            return above.data() + std::size_t(sy - firstAbove) * w;
        if (sy >= band.end)
            return below.data() + std::size_t(sy - band.end) * w;
        return picture[sy];
    }

private:
    const unsigned char* const* picture;
    std::size_t w;
    RowSplit::Range band;
    int firstAbove;
    std::vector<unsigned char> above, below;
};

// One square filter, a line at a time: the column of 2 r + 1 rows (clipped to
// the picture) goes into a line framed by r identity bytes on either side, so
// that the window along the line never needs clipping; the line's 2 r + 1
// shifted views then give the output.
template <typename Op>
class LineFilter {
public:
    LineFilter(int w, int r)
        : w(w), r(r), line(std::size_t(w) + 2 * std::size_t(r), Op::identity), rows(2 * std::size_t(r) + 1),
          shifted(2 * std::size_t(r) + 1)
    {
        for (std::size_t k = 0; k < shifted.size(); ++k)
            shifted[k] = line.data() + k;
    }

    // Output row y of a picture of h rows whose row sy is source(sy), from
    // `width` bytes at each source row (w, or w + 2 r for framed rows) into out.
    template <typename Source>
    void run(const Source& source, int y, int h, int width, unsigned char* out)
    {
        const int lo = std::max(0, y - r);
        const int hi = std::min(h - 1, y + r);
        for (int sy = lo; sy <= hi; ++sy)
            rows[std::size_t(sy - lo)] = source(sy);
        unsigned char* column = width == w ? line.data() + r : line.data();
        OfRuns<Op>(rows.data(), hi - lo + 1, column, width);
        OfRuns<Op>(shifted.data(), int(shifted.size()), out, w);
    }

private:
    int w, r;
    std::vector<unsigned char> line;
    std::vector<const unsigned char*> rows, shifted;
};

// Calls band(rows, begin, end) over the rows of count pictures of one size,
// split over the processors for large pictures; rows[p] reads picture p as it
// was before any band wrote, halo rows around each band.
template <typename Band>
void ForBands(const unsigned char* const* const* pictures, int count, int w, int h, int halo, const Band& band)
{
    const std::size_t pixels = std::size_t(w) * std::size_t(h) * std::size_t(count);
    constexpr std::size_t threadedFrom = std::size_t(1) << 17;
    const int threads = pixels < threadedFrom ? 1 : RowSplit::threadCount();
    std::vector<BandRows> saved;
    saved.reserve(std::size_t(threads) * std::size_t(count));
    for (int i = 0; i < threads; ++i)
        for (int p = 0; p < count; ++p)
            saved.emplace_back(pictures[p], w, h, halo, RowSplit::range(i, threads, h));
    RowSplit::runWorkers(h, threads, [&](int worker, int begin, int end) {
        band(saved.data() + std::size_t(worker) * std::size_t(count), begin, end);
    });
}

// ForBands over one picture stored row after row.
template <typename Band>
void ForBands(const unsigned char* src, int w, int h, int halo, const Band& band)
{
    std::vector<const unsigned char*> rows(static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        rows[std::size_t(y)] = src + std::size_t(y) * std::size_t(w);
    const unsigned char* const* picture = rows.data();
    ForBands(&picture, 1, w, h, halo, [&](const BandRows* saved, int begin, int end) { band(*saved, begin, end); });
}

template <typename Op>
void FilterSquare(const unsigned char* src, unsigned char* dst, int w, int h, int r)
{
    if (w <= 0 || h <= 0)
        return;
    r = std::max(r, 0);
    ForBands(src, w, h, r, [&](const BandRows& rows, int begin, int end) {
        LineFilter<Op> filter(w, r);
        auto source = [&rows](int sy) { return rows.row(sy); };
        for (int y = begin; y < end; ++y)
            filter.run(source, y, h, w, dst + std::size_t(y) * std::size_t(w));
    });
}

// The closed rows of one band, in order: dilation then erosion, the dilated
// rows the erosion needs kept in a ring of framed rows, so the dilation is
// never written out whole. Once row y is out, no source row up to y is read
// again.
class ClosingRows {
public:
    ClosingRows(const BandRows& rows, int w, int h, int r, int begin)
        : rows(rows), w(w), h(h), r(r), framed(std::size_t(w) + 2 * std::size_t(r)), slots(2 * r + 1),
          ring(std::size_t(slots) * framed, LaneMin::identity), dilation(w, r), erosion(w, r),
          next(std::max(0, begin - r))
    {
    }

    // Closed row y into out, y one past the row before.
    void run(int y, unsigned char* out)
    {
        auto source = [this](int sy) { return rows.row(sy); };
        for (const int last = std::min(h - 1, y + r); next <= last; ++next)
            dilation.run(source, next, h, w, slot(next) + r);
        auto dilated = [this](int d) -> const unsigned char* { return slot(d); };
        erosion.run(dilated, y, h, int(framed), out);
    }

private:
    unsigned char* slot(int d) { return ring.data() + std::size_t(d % slots) * framed; }

    const BandRows& rows;
    int w, h, r;
    std::size_t framed;
    int slots;
    std::vector<unsigned char> ring;
    LineFilter<LaneMax> dilation;
    LineFilter<LaneMin> erosion;
    int next; // next dilated row to compute
};

} // namespace

void DilateSquare(const unsigned char* src, unsigned char* dst, int w, int h, int radius)
{
    FilterSquare<LaneMax>(src, dst, w, h, radius);
}

void ErodeSquare(const unsigned char* src, unsigned char* dst, int w, int h, int radius)
{
    FilterSquare<LaneMin>(src, dst, w, h, radius);
}

void CloseSquare(const unsigned char* src, unsigned char* dst, int w, int h, int radius)
{
    if (w <= 0 || h <= 0)
        return;
    const int r = std::max(radius, 0);
    ForBands(src, w, h, 2 * r, [&](const BandRows& rows, int begin, int end) {
        ClosingRows closing(rows, w, h, r, begin);
        for (int y = begin; y < end; ++y)
            closing.run(y, dst + std::size_t(y) * std::size_t(w));
    });
}

void ForClosedRows(unsigned char* const* const* pictures, int count, int w, int h, int radius, const ClosedRows& row)
{
    if (pictures == nullptr || count <= 0 || w <= 0 || h <= 0)
        return;
    const int r = std::max(radius, 0);
    ForBands(pictures, count, w, h, 2 * r, [&](const BandRows* rows, int begin, int end) {
        std::vector<ClosingRows> closings;
        closings.reserve(std::size_t(count));
        std::vector<unsigned char> closed(std::size_t(count) * std::size_t(w));
        std::vector<const unsigned char*> out(static_cast<std::size_t>(count));
        for (int p = 0; p < count; ++p) {
            closings.emplace_back(rows[p], w, h, r, begin);
            out[std::size_t(p)] = closed.data() + std::size_t(p) * std::size_t(w);
        }
        for (int y = begin; y < end; ++y) {
            for (int p = 0; p < count; ++p)
                closings[std::size_t(p)].run(y, closed.data() + std::size_t(p) * std::size_t(w));
            row(y, out.data());
        }
    });
}

void ForSquareExtremes(const unsigned char* src, int w, int h, int radius, const SquareExtremesRow& row)
{
    if (w <= 0 || h <= 0)
        return;
    const int r = std::max(radius, 0);
    ForBands(src, w, h, r, [&](const BandRows& rows, int begin, int end) {
        LineFilter<LaneMax> dilation(w, r);
        LineFilter<LaneMin> erosion(w, r);
        std::vector<unsigned char> maxima(std::size_t(w), 0), minima(std::size_t(w), 0);
        auto source = [&rows](int sy) { return rows.row(sy); };
        for (int y = begin; y < end; ++y) {
            dilation.run(source, y, h, w, maxima.data());
            erosion.run(source, y, h, w, minima.data());
            row(y, maxima.data(), minima.data());
        }
    });
}

void DilateStep(const unsigned char* src, unsigned char* dst, int w, int h)
{
    DilateSquare(src, dst, w, h, 1);
}

void ErodeStep(const unsigned char* src, unsigned char* dst, int w, int h)
{
    ErodeSquare(src, dst, w, h, 1);
}
