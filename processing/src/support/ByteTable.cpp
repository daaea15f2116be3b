#include "ByteTable.h"

#include <cstdint>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define PIXORAMA_BYTE_PERMUTES 1
#endif

namespace {

// Eight lookups to a word: one load and one store per eight pixels.
void LookUpWords(unsigned char* p, int w, const unsigned char* table)
{
    int x = 0;
    for (; x + 8 <= w; x += 8) {
        std::uint64_t v;
        std::memcpy(&v, p + x, sizeof v);
        std::uint64_t out = 0;
        for (int k = 0; k < 64; k += 8)
            out |= std::uint64_t(table[v >> k & 0xFF]) << k;
        std::memcpy(p + x, &out, sizeof out);
    }
    for (; x < w; ++x)
        p[x] = table[p[x]];
}

#if defined(PIXORAMA_BYTE_PERMUTES)
// 64 lookups at once: two 128-entry byte permutes, chosen by each byte's top bit.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void LookUpPermuted(unsigned char* p, int w,
                                                                             const unsigned char* table)
{
    const __m512i t0 = _mm512_loadu_si512(table), t1 = _mm512_loadu_si512(table + 64);
    const __m512i t2 = _mm512_loadu_si512(table + 128), t3 = _mm512_loadu_si512(table + 192);
    int x = 0;
    for (; x + 64 <= w; x += 64) {
        const __m512i v = _mm512_loadu_si512(p + x);
        const __m512i low = _mm512_permutex2var_epi8(t0, v, t1);
        const __m512i high = _mm512_permutex2var_epi8(t2, v, t3);
        _mm512_storeu_si512(p + x, _mm512_mask_blend_epi8(_mm512_movepi8_mask(v), low, high));
    }
    LookUpWords(p + x, w - x, table);
}
#endif

} // namespace

void LookUpBytes(unsigned char* p, int w, const unsigned char* table)
{
#if defined(PIXORAMA_BYTE_PERMUTES)
    static const bool permutes = __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512bw");
    if (permutes) {
        LookUpPermuted(p, w, table);
        return;
    }
#endif
    LookUpWords(p, w, table);
}
