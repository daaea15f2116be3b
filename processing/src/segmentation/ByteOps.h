#pragma once

#include <algorithm>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Element-wise operations on byte runs, 16 bytes at a time where SSE2 is
// available. dst may be the same buffer as a (never a shifted view of it).

struct ByteMax {
    static unsigned char one(unsigned char a, unsigned char b) { return std::max(a, b); }
#if defined(__SSE2__)
    static __m128i many(__m128i a, __m128i b) { return _mm_max_epu8(a, b); }
#endif
};

struct ByteMin {
    static unsigned char one(unsigned char a, unsigned char b) { return std::min(a, b); }
#if defined(__SSE2__)
    static __m128i many(__m128i a, __m128i b) { return _mm_min_epu8(a, b); }
#endif
};

// a + b, held at 255.
struct ByteAddSaturated {
    static unsigned char one(unsigned char a, unsigned char b) { return (unsigned char)std::min(a + b, 255); }
#if defined(__SSE2__)
    static __m128i many(__m128i a, __m128i b) { return _mm_adds_epu8(a, b); }
#endif
};

// a - b, held at 0.
struct ByteSubSaturated {
    static unsigned char one(unsigned char a, unsigned char b) { return (unsigned char)std::max(a - b, 0); }
#if defined(__SSE2__)
    static __m128i many(__m128i a, __m128i b) { return _mm_subs_epu8(a, b); }
#endif
};

// dst[i] = Op(a[i], b[i]) for i < n.
template <typename Op>
inline void ApplyBytes(unsigned char* dst, const unsigned char* a, const unsigned char* b, std::size_t n)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= n; i += 16) {
        const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), Op::many(va, vb));
    }
#endif
    for (; i < n; ++i)
        dst[i] = Op::one(a[i], b[i]);
}

// dst[i] = Op(a[i], value) for i < n.
template <typename Op>
inline void ApplyBytes(unsigned char* dst, const unsigned char* a, unsigned char value, std::size_t n)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i vb = _mm_set1_epi8(static_cast<char>(value));
    for (; i + 16 <= n; i += 16) {
        const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), Op::many(va, vb));
    }
#endif
    for (; i < n; ++i)
        dst[i] = Op::one(a[i], value);
}
