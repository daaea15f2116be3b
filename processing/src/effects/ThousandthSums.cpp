#include "ThousandthSums.h"

#include "HotKernel.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr int lanes = 32;
using Words = std::uint16_t __attribute__((vector_size(2 * lanes)));
using Bytes = unsigned char __attribute__((vector_size(lanes)));

// 125 * 30933 = 1 modulo 2^16: a 16-bit u is a multiple of 125 exactly
// where u * 30933 (modulo 2^16) is at most 65535 / 125.
constexpr std::uint16_t inverseOf125 = 30933;
constexpr std::uint16_t multiplesOf125 = 65535 / 125;

// out[i] = DoubleSum(...) where marks[i] is set, for i < n (a multiple of
// 8). Kept out of the hot loop's builds: there the compiler could fuse the
// double products and sums, and their rounding must stay as it is.
[[gnu::noinline]] void RedoMarked(const unsigned char* r, const unsigned char* g, const unsigned char* b, int n,
                                  Thousandths w, const unsigned char* marks, unsigned char* out)
{
    for (int at = 0; at < n; at += 8) {
        std::uint64_t eight;
        std::memcpy(&eight, marks + at, 8);
        for (eight &= 0x0101010101010101u; eight; eight &= eight - 1) {
            const int p = at + __builtin_ctzll(eight) / 8;
            out[p] = DoubleSum(r[p], g[p], b[p], w);
        }
    }
}

// out[i] = ExactSum(...) for i from begin to end, on the same terms.
[[gnu::noinline]] void ExactSums(const unsigned char* r, const unsigned char* g, const unsigned char* b, int begin,
                                 int end, Thousandths w, unsigned char* out)
{
    for (int i = begin; i < end; ++i)
        out[i] = ExactSum(r[i], g[i], b[i], w);
}

} // namespace

// Each weight is 8 e + m with m < 8, which splits s = w.r R + w.g G + w.b B
// into 8 E + M. s / 8 = E + M / 8 stays below 2^16 and s / 1000 is
// (s / 8) / 125, so the sums run on 16-bit lanes with no rounding. s is a
// whole number of thousands where 8 divides M and 125 divides s / 8: those
// pixels are marked and take the double formula afterwards. Vectors stay
// local: passed by value, those wider than the baseline's registers would
// change the calling convention between builds.
PIX_WB_HOT_WIDE void ThousandthSumRows(const unsigned char* r, const unsigned char* g, const unsigned char* b, int n,
                                       const Thousandths* w, int count, unsigned char* const* out)
{
    Words e[thousandthSetsMax][3], m[thousandthSetsMax][3];
    for (int k = 0; k < count; ++k) {
        const int weights[3] = {w[k].r, w[k].g, w[k].b};
        for (int c = 0; c < 3; ++c) {
            e[k][c] = Words{} + std::uint16_t(weights[c] >> 3);
            m[k][c] = Words{} + std::uint16_t(weights[c] & 7);
        }
    }
    alignas(64) unsigned char whole[thousandthSetsMax][PixelRun::size];
    Bytes anyWhole[thousandthSetsMax] = {};
    auto load = [](const unsigned char* p, Words& v) {
        Bytes bytes;
        std::memcpy(&bytes, p, lanes);
        v = __builtin_convertvector(bytes, Words);
    };
    int i = 0;
    for (; i + lanes <= n && i + lanes <= PixelRun::size; i += lanes) {
        Words R, G, B;
        load(r + i, R), load(g + i, G), load(b + i, B);
        for (int k = 0; k < count; ++k) {
            const Words M = R * m[k][0] + G * m[k][1] + B * m[k][2];
            const Words eighths = R * e[k][0] + G * e[k][1] + B * e[k][2] + (M >> 3);
            const Words q = eighths / 125;
            const Bytes bytes = __builtin_convertvector(q < 255 ? q : 255, Bytes);
            std::memcpy(out[k] + i, &bytes, lanes);
            // M << 13 keeps M's low three bits, and nothing where 8 divides M.
            const Words marked = Words((eighths * inverseOf125 | M << 13) <= multiplesOf125);
            const Bytes marks = __builtin_convertvector(marked, Bytes);
            std::memcpy(whole[k] + i, &marks, lanes);
            anyWhole[k] |= marks;
        }
    }
    for (int k = 0; k < count; ++k) {
        std::uint64_t parts[lanes / 8];
        std::memcpy(parts, &anyWhole[k], lanes);
        if (parts[0] | parts[1] | parts[2] | parts[3])
            RedoMarked(r, g, b, i, w[k], whole[k], out[k]);
    }
    for (int k = 0; k < count; ++k)
        ExactSums(r, g, b, i, n, w[k], out[k]);
}
