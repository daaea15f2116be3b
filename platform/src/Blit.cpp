#include "Blit.h"

#include "pixorama/platform/System.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

namespace plat::blit {

namespace {

// Fixed-point weights: fractions of 2^12 across, of 2^8 down (so that the
// vertical sums fit 16 bits).
constexpr int weightBits = 12;
constexpr int rowWeightBits = 8;

struct Tap {
    int index = 0;
    int weight = 0;
};

// For each destination coordinate in [from, to) along one axis, the source
// pixels it draws on; an entry without taps maps outside the source.
struct AxisMap {
    std::vector<int> first; // index into taps, size + 1 entries
    std::vector<Tap> taps;

    int count(int i) const { return first[std::size_t(i) + 1] - first[std::size_t(i)]; }
    const Tap* at(int i) const { return taps.data() + first[std::size_t(i)]; }
};

long long floorDiv(long long a, long long b)
{
    const long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

void addTaps(AxisMap& map, std::vector<std::pair<int, double>>& raw, int limit, int weightOne)
{
    raw.erase(std::remove_if(raw.begin(), raw.end(),
                             [limit](const auto& t) { return t.first < 0 || t.first >= limit || t.second <= 0; }),
              raw.end());
    double total = 0;
    for (const auto& t : raw)
        total += t.second;
    if (total > 0) {
        int given = 0;
        std::size_t largest = map.taps.size();
        for (const auto& t : raw) {
            const int weight = int(std::lround(t.second / total * weightOne));
            if (largest == map.taps.size() || weight > map.taps[largest].weight)
                largest = map.taps.size();
            map.taps.push_back({t.first, weight});
            given += weight;
        }
        map.taps[largest].weight += weightOne - given; // weights sum to exactly one
    }
    map.first.push_back(int(map.taps.size()));
}

AxisMap mapAxis(int dstLen, int from, int to, int srcStart, int srcLen, int srcLimit, bool smooth, int weightOne)
{
    // A mirrored source is the normal one read from the other end.
    const bool reversed = srcLen < 0;
    if (reversed) {
        srcStart += srcLen;
        srcLen = -srcLen;
    }
    AxisMap map;
    map.first.reserve(std::size_t(to - from) + 1);
    map.first.push_back(0);
    std::vector<std::pair<int, double>> raw;
    const double scale = double(srcLen) / dstLen;
    for (int d = from; d < to; ++d) {
        const long long k = reversed ? dstLen - 1 - d : d;
        raw.clear();
        if (!smooth || srcLen == dstLen) {
            raw.emplace_back(int(srcStart + floorDiv((2 * k + 1) * srcLen, 2LL * dstLen)), 1.0);
        } else if (srcLen > dstLen) {
            const double a = k * scale;
            const double b = (k + 1) * scale;
            for (int i = int(std::floor(a)); i < int(std::ceil(b)); ++i)
                raw.emplace_back(srcStart + i, std::min(b, i + 1.0) - std::max(a, double(i)));
        } else {
            const double centre = std::clamp((k + 0.5) * scale - 0.5, 0.0, double(srcLen - 1));
            const int i = int(std::floor(centre));
            const double f = centre - i;
            raw.emplace_back(srcStart + i, 1.0 - f);
            if (f > 0)
                raw.emplace_back(srcStart + i + 1, f);
        }
        addTaps(map, raw, srcLimit, weightOne);
    }
    return map;
}

// Each destination column's source column, -1 where it maps outside.
std::vector<int> nearestColumns(const AxisMap& xs, int n)
{
    std::vector<int> columns(std::size_t(n), -1);
    for (int i = 0; i < n; ++i)
        if (xs.count(i) != 0)
            columns[std::size_t(i)] = xs.at(i)->index;
    return columns;
}

void stretchNearest(DibBitmap& dst, const Rect& area, const AxisMap& xs, const AxisMap& ys, const DibBitmap& src)
{
    const int n = area.width();
    const std::vector<int> columns = nearestColumns(xs, n);
    const bool complete = std::find(columns.begin(), columns.end(), -1) == columns.end();
    // At scale 1 a row is one contiguous run of the source.
    const bool contiguous = complete && columns.back() - columns.front() == n - 1;
    const std::size_t rowBytes = std::size_t(n) * sizeof(Pixel);
    int previousSource = -1;
    const Pixel* previousOut = nullptr;
    for (int y = area.top; y < area.bottom; ++y) {
        const int j = y - area.top;
        if (ys.count(j) == 0) {
            previousSource = -1;
            continue;
        }
        const int sy = ys.at(j)->index;
        Pixel* out = dst.line(y) + area.left;
        if (complete && sy == previousSource) {
            // Zoomed in: this line repeats the one above.
            std::memcpy(out, previousOut, rowBytes);
        } else {
            const Pixel* in = src.line(sy);
            if (contiguous) {
                std::memcpy(out, in + columns.front(), rowBytes);
            } else {
                const int* c = columns.data();
                for (int i = 0; i < n; ++i)
                    if (c[i] >= 0)
                        out[i] = in[c[i]];
            }
        }
        previousSource = sy;
        previousOut = out;
    }
}

// The smooth passes are compiled for x86-64-v3 (AVX2) and for the baseline;
// the loader picks the build the processor supports. Clang builds take the
// baseline only.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define PIX_BLIT_KERNEL __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define PIX_BLIT_KERNEL
#endif

using Bytes = unsigned char __attribute__((vector_size(16)));
using Words = std::uint16_t __attribute__((vector_size(32)));

// sums[i] = the sum over the taps of from[t][i] * weight[t], for lanes a
// multiple of 16; 16-bit lanes, sixteen to a vector. Vertical weights are
// fractions of 2^8 that sum to one, so a lane never passes 255 * 2^8.
PIX_BLIT_KERNEL
void weighSourceRows(std::uint16_t* __restrict sums, const unsigned char* const* from, const std::uint16_t* weight,
                     int taps, int lanes)
{
    for (int i = 0; i < lanes; i += 16) {
        Words sum{};
        for (int t = 0; t < taps; ++t) {
            Bytes bytes;
            __builtin_memcpy(&bytes, from[t] + i, sizeof bytes);
            sum += __builtin_convertvector(bytes, Words) * weight[t];
        }
        __builtin_memcpy(sums + i, &sum, sizeof sum);
    }
}

using Lanes = std::uint32_t __attribute__((vector_size(16)));
using Sums = std::uint16_t __attribute__((vector_size(8)));

// Each destination pixel of one row from the column sums (four lanes per
// source column: blue, green, red, unused). Horizontal weights are fractions
// of 2^12, so a lane holds at most 255 * 2^20 plus the rounding half.
PIX_BLIT_KERNEL
void weighColumns(Pixel* __restrict to, const std::uint16_t* __restrict sums, const AxisMap& xs, int columnLow, int n)
{
    constexpr int shift = rowWeightBits + weightBits;
    for (int i = 0; i < n; ++i) {
        const int count = xs.count(i);
        if (count == 0)
            continue;
        Lanes lane = Lanes{} + (1u << (shift - 1));
        for (const Tap* h = xs.at(i); h != xs.at(i) + count; ++h) {
            Sums sum;
            __builtin_memcpy(&sum, sums + std::size_t(h->index - columnLow) * 4, sizeof sum);
            lane += __builtin_convertvector(sum, Lanes) * std::uint32_t(h->weight);
        }
        lane >>= shift;
        to[i] = Pixel(lane[0]) | Pixel(lane[1]) << 8 | Pixel(lane[2]) << 16;
    }
}

// Rows [rowBegin, rowEnd) of the area: the vertical pass sums each column's
// taps straight from the source bytes, the horizontal pass then weighs those
// sums.
void stretchSmoothRows(DibBitmap& dst, const Rect& area, const AxisMap& xs, const AxisMap& ys, const DibBitmap& src,
                       int columnLow, int columnHigh, int rowBegin, int rowEnd)
{
    // Four lanes per column, rounded up to whole vectors: the source row
    // holds them unless the columns run to its end, where the last few
    // columns are copied into a padded row first.
    const int lanes = 4 * (columnHigh - columnLow);
    const int vectorLanes = (lanes + 15) / 16 * 16;
    const bool padded = vectorLanes != lanes && 4 * (src.width() - columnLow) < vectorLanes;
    std::vector<std::uint16_t> sums(static_cast<std::size_t>(vectorLanes));
    std::vector<const unsigned char*> from;
    std::vector<std::uint16_t> weights;
    std::vector<unsigned char> tails;
    for (int y = rowBegin; y < rowEnd; ++y) {
        const int j = y - area.top;
        const int rows = ys.count(j);
        if (rows == 0)
            continue;
        from.clear();
        weights.clear();
        tails.assign(padded ? std::size_t(rows) * 16 : 0, 0);
        for (const Tap* v = ys.at(j); v != ys.at(j) + rows; ++v) {
            const unsigned char* row = reinterpret_cast<const unsigned char*>(src.line(v->index) + columnLow);
            weights.push_back(std::uint16_t(v->weight));
            from.push_back(row);
        }
        const int whole = padded ? vectorLanes - 16 : vectorLanes;
        weighSourceRows(sums.data(), from.data(), weights.data(), rows, whole);
        if (padded) {
            for (int t = 0; t < rows; ++t) {
                std::memcpy(&tails[std::size_t(t) * 16], from[std::size_t(t)] + whole, std::size_t(lanes - whole));
                from[std::size_t(t)] = &tails[std::size_t(t) * 16];
            }
            weighSourceRows(sums.data() + whole, from.data(), weights.data(), rows, 16);
        }
        weighColumns(dst.line(y) + area.left, sums.data(), xs, columnLow, area.width());
    }
}

void stretchSmooth(DibBitmap& dst, const Rect& area, const AxisMap& xs, const AxisMap& ys, const DibBitmap& src)
{
    int columnLow = src.width();
    int columnHigh = 0;
    for (const Tap& t : xs.taps) {
        columnLow = std::min(columnLow, t.index);
        columnHigh = std::max(columnHigh, t.index + 1);
    }
    if (columnHigh <= columnLow)
        return;
    // Every processor takes a band of destination rows; a small area is not
    // worth starting threads for.
    const std::size_t work = ys.taps.size() * std::size_t(columnHigh - columnLow);
    const int threads = work < (std::size_t(1) << 20) ? 1 : std::clamp(processorCount(), 1, area.height());
    std::vector<std::thread> helpers;
    auto band = [&](int k) {
        const int begin = area.top + int(std::int64_t(area.height()) * k / threads);
        const int end = area.top + int(std::int64_t(area.height()) * (k + 1) / threads);
        stretchSmoothRows(dst, area, xs, ys, src, columnLow, columnHigh, begin, end);
    };
    for (int k = 1; k < threads; ++k) {
        try {
            helpers.emplace_back(band, k);
        } catch (const std::system_error&) {
            band(k); // no thread to be had: do the rows here
        }
    }
    band(0);
    for (std::thread& t : helpers)
        t.join();
}

Rect intersect(const Rect& a, const Rect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

} // namespace

void copy(DibBitmap& dst, Point at, Size size, const DibBitmap& src, Point from, const Rect& clip)
{
    // Clip the destination, then the source, and carry each cut to the other.
    Rect area = intersect({at.x, at.y, at.x + size.cx, at.y + size.cy}, clip);
    area = intersect(area, {at.x - from.x, at.y - from.y, at.x - from.x + src.width(), at.y - from.y + src.height()});
    if (area.isEmpty())
        return;
    const int dx = from.x - at.x;
    const int dy = from.y - at.y;
    const std::size_t bytes = std::size_t(area.width()) * sizeof(Pixel);
    // Within one surface, walk rows away from the overlap.
    const bool upwards = &dst == &src && dy < 0;
    for (int k = 0; k < area.height(); ++k) {
        const int y = upwards ? area.bottom - 1 - k : area.top + k;
        std::memmove(dst.line(y) + area.left, src.line(y + dy) + area.left + dx, bytes);
    }
}

void stretch(DibBitmap& dst, const Rect& dstRect, const DibBitmap& src, const Rect& srcRect, bool smooth,
             const Rect& clip)
{
    Rect target = dstRect;
    Rect source = srcRect;
    // A mirrored destination is the same as a mirrored source.
    if (target.right < target.left) {
        std::swap(target.left, target.right);
        source.left = srcRect.right;
        source.right = srcRect.left;
    }
    if (target.bottom < target.top) {
        std::swap(target.top, target.bottom);
        source.top = srcRect.bottom;
        source.bottom = srcRect.top;
    }
    const Rect area = intersect(target, clip);
    if (area.isEmpty() || source.width() == 0 || source.height() == 0 || src.isEmpty())
        return;
    if (&dst == &src) {
        // Reading and writing one buffer would feed results back in.
        DibBitmap copyOfSource(src.width(), src.height());
        std::memcpy(copyOfSource.bits(), src.bits(), src.byteCount());
        stretch(dst, dstRect, copyOfSource, srcRect, smooth, clip);
        return;
    }
    const AxisMap xs = mapAxis(target.width(), area.left - target.left, area.right - target.left, source.left,
                               source.width(), src.width(), smooth, 1 << weightBits);
    const AxisMap ys = mapAxis(target.height(), area.top - target.top, area.bottom - target.top, source.top,
                               source.height(), src.height(), smooth, 1 << rowWeightBits);
    if (smooth)
        stretchSmooth(dst, area, xs, ys, src);
    else
        stretchNearest(dst, area, xs, ys, src);
}

} // namespace plat::blit
