#include "pixorama/common/LocalThreshold.h"

#include "pixorama/common/MirrorIndex.h"

#include <cstdint>
#include <vector>

namespace {

// The mirrored extension of n samples repeats with period 2n, so a window sum
// over any stretch t0..t1-1 is F(t1) - F(t0) with
//   F(t) = floor(t / 2n) * (sum of one period) + (sum of the first t mod 2n).
// That keeps the cost independent of how far a window reaches outside.
struct PeriodicSum {
    std::int64_t period = 1;

    static std::int64_t floorDiv(std::int64_t a, std::int64_t b)
    {
        const std::int64_t q = a / b;
        return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
    }
    std::int64_t turns(std::int64_t t) const { return floorDiv(t, period); }
    std::int64_t offset(std::int64_t t) const { return t - turns(t) * period; }
};

} // namespace

bool LAT_Constant(ClassData2DIO<unsigned char>& img, int size)
{
    if (img.data == nullptr || img.width <= 0 || img.height <= 0 || size > (1 << 21))
        return false;
    const int w = img.width;
    const int h = img.height;
    const std::int64_t r = size > 0 ? size / 2 : 0;
    const std::int64_t side = 2 * r + 1;
    const double area = double(side) * double(side);
    const ClassData2DIO<unsigned char> src(img);

    // Column sums of the window around row 0, from one period of every column.
    const PeriodicSum rowsPeriod{2 * std::int64_t(h)};
    const std::int64_t endAt = r + 1;
    const std::int64_t startAt = -r;
    std::vector<std::int64_t> acc(std::size_t(w), 0), atEnd(std::size_t(w), 0), atStart(std::size_t(w), 0);
    for (std::int64_t u = 0; u < rowsPeriod.period; ++u) {
        if (u == rowsPeriod.offset(endAt))
            atEnd = acc;
        if (u == rowsPeriod.offset(startAt))
            atStart = acc;
        const unsigned char* row = src.rows[pixMirrorRepeat(u, h)];
        for (int x = 0; x < w; ++x)
            acc[std::size_t(x)] += row[x];
    }
    std::vector<std::int64_t> column(static_cast<std::size_t>(w));
    for (int x = 0; x < w; ++x) {
        const std::size_t i = std::size_t(x);
        column[i] = rowsPeriod.turns(endAt) * acc[i] + atEnd[i] - (rowsPeriod.turns(startAt) * acc[i] + atStart[i]);
    }

    const PeriodicSum colsPeriod{2 * std::int64_t(w)};
    std::vector<std::int64_t> prefix(std::size_t(2 * w + 1));
    for (int y = 0; y < h; ++y) {
        if (y > 0) {
            // Slide the window down one row.
            const unsigned char* in = src.rows[pixMirrorRepeat(y + r, h)];
            const unsigned char* out = src.rows[pixMirrorRepeat(y - 1 - r, h)];
            for (int x = 0; x < w; ++x)
                column[std::size_t(x)] += int(in[x]) - int(out[x]);
        }
        prefix[0] = 0;
        for (int u = 0; u < 2 * w; ++u)
            prefix[std::size_t(u + 1)] = prefix[std::size_t(u)] + column[std::size_t(pixMirrorRepeat(u, w))];
        const std::int64_t total = prefix[std::size_t(2 * w)];
        auto upTo = [&](std::int64_t t) {
            return colsPeriod.turns(t) * total + prefix[std::size_t(colsPeriod.offset(t))];
        };
        const unsigned char* in = src.rows[y];
        unsigned char* out = img.rows[y];
        for (int x = 0; x < w; ++x) {
            const std::int64_t sum = upTo(x + r + 1) - upTo(x - r);
            out[x] = double(in[x]) * area > 0.85 * double(sum) ? 255 : 0;
        }
    }
    return true;
}
