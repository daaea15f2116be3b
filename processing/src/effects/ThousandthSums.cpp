#include "ThousandthSums.h"

#include "HotKernel.h"
#include "WideLanes.h"

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

// out[k][p] = ExactSum(...) for the pixels p of one step whose byte is set
// in marks. Kept out of the hot loop's builds: there the compiler could fuse
// the double products and sums, and their rounding must stay as it is.
[[gnu::noinline]] void RedoMarked(const unsigned char* r, const unsigned char* g, const unsigned char* b,
                                  const std::uint64_t* marks, const Thousandths* w, int count,
                                  unsigned char (*out)[lanes])
{
    for (int word = 0; word < lanes / 8; ++word)
        for (std::uint64_t eight = marks[word] & 0x0101010101010101u; eight; eight &= eight - 1) {
            const int p = word * 8 + __builtin_ctzll(eight) / 8;
            for (int k = 0; k < count; ++k)
                out[k][p] = ExactSum(r[p], g[p], b[p], w[k]);
        }
}

// out[k][p] = DoubleSum(...) for the bits p set in marks[k], for one step.
// Built like RedoMarked, for the same reason.
[[gnu::noinline]] void RedoMarkedBits(const unsigned char* r, const unsigned char* g, const unsigned char* b,
                                      const std::uint32_t* marks, const Thousandths* w, int count,
                                      unsigned char (*out)[lanes])
{
    for (int k = 0; k < count; ++k)
        for (std::uint32_t bits = marks[k]; bits; bits &= bits - 1) {
            const int p = __builtin_ctz(bits);
            out[k][p] = DoubleSum(r[p], g[p], b[p], w[k]);
        }
}

// The pixels from begin to n, one at a time, every set read before any
// output is written.
[[gnu::noinline]] void ExactSums(const unsigned char* r, const unsigned char* g, const unsigned char* b, int begin,
                                 int n, const Thousandths* w, int count, unsigned char* const* out)
{
    for (int i = begin; i < n; ++i) {
        unsigned char sums[thousandthSetsMax];
        for (int k = 0; k < count; ++k)
            sums[k] = ExactSum(r[i], g[i], b[i], w[k]);
        for (int k = 0; k < count; ++k)
            out[k][i] = sums[k];
    }
}

#if defined(PIX_WB_HAS_AVX512)
// s / 1000 = (s / 8) / 125, and (s / 8) / 125 = (s / 8) * 33555 / 2^22 for
// s / 8 up to 57375, which weights summing to at most 1800 keep to.
constexpr std::uint16_t reciprocalOf125 = 33555;
constexpr int reciprocalShift = 22 - 16;

// The bytes p[0..31] as 16-bit words.
PIX_WB_AVX512 inline __m512i Words16(const unsigned char* p)
{
    return _mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)));
}

// R v[0] + G v[1] + B v[2] on 16-bit lanes.
PIX_WB_AVX512 inline __m512i Weighted(__m512i R, __m512i G, __m512i B, const __m512i (&v)[3])
{
    return _mm512_add_epi16(_mm512_add_epi16(_mm512_mullo_epi16(R, v[0]), _mm512_mullo_epi16(G, v[1])),
                            _mm512_mullo_epi16(B, v[2]));
}

// ThousandthSumRows on AVX-512: the division by 125 as one high product,
// bytes held to 255 as they narrow, and the marks as bit masks.
PIX_WB_AVX512 void ThousandthSumRowsWide(const unsigned char* r, const unsigned char* g, const unsigned char* b, int n,
                                         const Thousandths* w, int count, unsigned char* const* out)
{
    __m512i e[thousandthSetsMax][3], m[thousandthSetsMax][3];
    for (int k = 0; k < count; ++k) {
        const int weights[3] = {w[k].r, w[k].g, w[k].b};
        for (int c = 0; c < 3; ++c) {
            e[k][c] = _mm512_set1_epi16(short(weights[c] >> 3));
            m[k][c] = _mm512_set1_epi16(short(weights[c] & 7));
        }
    }
    const __m512i inverse = _mm512_set1_epi16(short(inverseOf125)), limit = _mm512_set1_epi16(multiplesOf125);
    const __m512i reciprocal = _mm512_set1_epi16(short(reciprocalOf125));
    int i = 0;
    for (; i + lanes <= n; i += lanes) {
        const __m512i R = Words16(r + i), G = Words16(g + i), B = Words16(b + i);
        __m256i sums[thousandthSetsMax];
        std::uint32_t marks[thousandthSetsMax];
        std::uint32_t anyMarked = 0;
        for (int k = 0; k < count; ++k) {
            const __m512i M = Weighted(R, G, B, m[k]);
            const __m512i eighths = _mm512_add_epi16(Weighted(R, G, B, e[k]), _mm512_srli_epi16(M, 3));
            const __m512i q = _mm512_srli_epi16(_mm512_mulhi_epu16(eighths, reciprocal), reciprocalShift);
            sums[k] = _mm512_cvtusepi16_epi8(q);
            const __m512i test = _mm512_or_si512(_mm512_mullo_epi16(eighths, inverse), _mm512_slli_epi16(M, 13));
            marks[k] = _mm512_cmple_epu16_mask(test, limit);
            anyMarked |= marks[k];
        }
        if (__builtin_expect(anyMarked != 0, 0)) {
            alignas(32) unsigned char bytes[thousandthSetsMax][lanes];
            for (int k = 0; k < count; ++k)
                _mm256_store_si256(reinterpret_cast<__m256i*>(bytes[k]), sums[k]);
            RedoMarkedBits(r + i, g + i, b + i, marks, w, count, bytes);
            for (int k = 0; k < count; ++k)
                sums[k] = _mm256_load_si256(reinterpret_cast<const __m256i*>(bytes[k]));
        }
        for (int k = 0; k < count; ++k)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out[k] + i), sums[k]);
    }
    ExactSums(r, g, b, i, n, w, count, out);
}
#endif

// Each weight is 8 e + m with m < 8, which splits s = w.r R + w.g G + w.b B
// into 8 E + M. s / 8 = E + M / 8 stays below 2^16 and s / 1000 is
// (s / 8) / 125, so the sums run on 16-bit lanes with no rounding. s is a
// whole number of thousands where 8 divides M and 125 divides s / 8: those
// pixels are marked and, in the rare step that has one, take the double
// formula before the step is stored. Vectors stay local: passed by value,
// those wider than the baseline's registers would change the calling
// convention between builds.
PIX_WB_HOT_WIDE void ThousandthSumRowsPlain(const unsigned char* r, const unsigned char* g, const unsigned char* b,
                                            int n, const Thousandths* w, int count, unsigned char* const* out)
{
    Words e[thousandthSetsMax][3], m[thousandthSetsMax][3];
    for (int k = 0; k < count; ++k) {
        const int weights[3] = {w[k].r, w[k].g, w[k].b};
        for (int c = 0; c < 3; ++c) {
            e[k][c] = Words{} + std::uint16_t(weights[c] >> 3);
            m[k][c] = Words{} + std::uint16_t(weights[c] & 7);
        }
    }
    int i = 0;
    for (; i + lanes <= n; i += lanes) {
        Bytes rb, gb, bb;
        std::memcpy(&rb, r + i, lanes), std::memcpy(&gb, g + i, lanes), std::memcpy(&bb, b + i, lanes);
        const Words R = __builtin_convertvector(rb, Words), G = __builtin_convertvector(gb, Words),
                    B = __builtin_convertvector(bb, Words);
        alignas(64) unsigned char sums[thousandthSetsMax][lanes];
        // A lane is marked for some set where the lowest of its tests is.
        Words lowest = Words{} + 0xffff;
        for (int k = 0; k < count; ++k) {
            const Words M = R * m[k][0] + G * m[k][1] + B * m[k][2];
            const Words eighths = R * e[k][0] + G * e[k][1] + B * e[k][2] + (M >> 3);
            const Words q = eighths / 125;
            const Bytes bytes = __builtin_convertvector(q < 255 ? q : 255, Bytes);
            std::memcpy(sums[k], &bytes, lanes);
            // M << 13 keeps M's low three bits, and nothing where 8 divides M.
            const Words test = eighths * inverseOf125 | M << 13;
            lowest = lowest < test ? lowest : test;
        }
        const Bytes marked = __builtin_convertvector(Words(lowest <= multiplesOf125), Bytes);
        std::uint64_t marks[lanes / 8];
        std::memcpy(marks, &marked, lanes);
        if (__builtin_expect((marks[0] | marks[1] | marks[2] | marks[3]) != 0, 0))
            RedoMarked(r + i, g + i, b + i, marks, w, count, sums);
        for (int k = 0; k < count; ++k)
            std::memcpy(out[k] + i, sums[k], lanes);
    }
    ExactSums(r, g, b, i, n, w, count, out);
}

} // namespace

void ThousandthSumRows(const unsigned char* r, const unsigned char* g, const unsigned char* b, int n,
                       const Thousandths* w, int count, unsigned char* const* out)
{
#if defined(PIX_WB_HAS_AVX512)
    if (HasAvx512()) {
        ThousandthSumRowsWide(r, g, b, n, w, count, out);
        return;
    }
#endif
    ThousandthSumRowsPlain(r, g, b, n, w, count, out);
}
