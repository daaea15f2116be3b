#include "pixorama/workbench/WatershedCore.h"

#include "ByteOps.h"
#include "RowBands.h"

#include <vector>

namespace {

// out = the maximum (minimum) of row[x - r .. x + r], clipped to the row.
template <typename Op>
void FilterRow(const unsigned char* row, unsigned char* out, int w, int r)
{
    std::copy(row, row + w, out);
    for (int k = 1; k <= r && k < w; ++k) {
        ApplyBytes<Op>(out, out, row + k, std::size_t(w - k));       // right neighbours
        ApplyBytes<Op>(out + k, out + k, row, std::size_t(w - k));   // left neighbours
    }
}

// Rows [begin, end) of dst from src. The row results of the 2r + 1 source
// rows a line needs are kept in a ring, each computed once per band.
template <typename Op>
void FilterBand(const unsigned char* src, unsigned char* dst, int w, int h, int r, int begin, int end)
{
    const int slots = 2 * r + 1;
    std::vector<unsigned char> ring(std::size_t(slots) * std::size_t(w));
    auto slot = [&](int sy) { return ring.data() + std::size_t(sy % slots) * std::size_t(w); };
    int done = std::max(0, begin - r); // next source row to filter
    for (int y = begin; y < end; ++y) {
        const int lo = std::max(0, y - r);
        const int hi = std::min(h - 1, y + r);
        for (; done <= hi; ++done)
            FilterRow<Op>(src + std::size_t(done) * std::size_t(w), slot(done), w, r);
        unsigned char* out = dst + std::size_t(y) * std::size_t(w);
        if (lo == hi) {
            std::copy(slot(lo), slot(lo) + w, out);
            continue;
        }
        ApplyBytes<Op>(out, slot(lo), slot(lo + 1), std::size_t(w));
        for (int sy = lo + 2; sy <= hi; ++sy)
            ApplyBytes<Op>(out, out, slot(sy), std::size_t(w));
    }
}

template <typename Op>
void FilterSquare(const unsigned char* src, unsigned char* dst, int w, int h, int r)
{
    if (w <= 0 || h <= 0)
        return;
    ForRowBands(h, std::size_t(w) * std::size_t(h),
                [&](int begin, int end) { FilterBand<Op>(src, dst, w, h, r, begin, end); });
}

} // namespace

void DilateSquare(const unsigned char* src, unsigned char* dst, int w, int h, int radius)
{
    FilterSquare<ByteMax>(src, dst, w, h, radius);
}

void ErodeSquare(const unsigned char* src, unsigned char* dst, int w, int h, int radius)
{
    FilterSquare<ByteMin>(src, dst, w, h, radius);
}

void DilateStep(const unsigned char* src, unsigned char* dst, int w, int h)
{
    DilateSquare(src, dst, w, h, 1);
}

void ErodeStep(const unsigned char* src, unsigned char* dst, int w, int h)
{
    ErodeSquare(src, dst, w, h, 1);
}
