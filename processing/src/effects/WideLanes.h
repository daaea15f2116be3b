#pragma once

#include "HotKernel.h"

#if defined(PIX_WB_HAS_AVX512)
#include <immintrin.h>

// Every lane of a step of sixteen pixels; steps on all of them take plain
// loads and stores.
inline constexpr unsigned allLanes = 0xffff;

// The lanes of a step of sixteen pixels that hold one of the n left.
PIX_WB_AVX512 inline __mmask16 LanesOf(int n)
{
    return n >= 16 ? __mmask16(allLanes) : __mmask16((1u << n) - 1);
}

// The bytes p[i] of the lanes as floats, 0 elsewhere; nothing is read
// outside the lanes.
PIX_WB_AVX512 inline __m512 LoadByteFloats(const unsigned char* p, __mmask16 lanes)
{
    const __m128i bytes = lanes == allLanes ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(p))
                                            : _mm_maskz_loadu_epi8(lanes, p);
    return _mm512_cvtepi32_ps(_mm512_cvtepu8_epi32(bytes));
}

// Sixteen bytes into the lanes' p[i]. Narrowed in a register before:
// narrowing straight into memory is slow on some processors.
PIX_WB_AVX512 inline void StoreBytes(__m128i bytes, unsigned char* p, __mmask16 lanes)
{
    if (lanes == allLanes)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), bytes);
    else
        _mm_mask_storeu_epi8(p, lanes, bytes);
}

// The floats truncated and held to 0..255 into the lanes' p[i]; not-a-number
// gives 0 (the maximum takes its second operand when one is not a number).
PIX_WB_AVX512 inline void StoreTruncatedBytes(__m512 v, unsigned char* p, __mmask16 lanes)
{
    const __m512 held = _mm512_min_ps(_mm512_max_ps(v, _mm512_setzero_ps()), _mm512_set1_ps(255.0f));
    StoreBytes(_mm512_cvtepi32_epi8(_mm512_cvttps_epi32(held)), p, lanes);
}

// The same for floats known to lie between -2^31 and 2^31: one step less.
PIX_WB_AVX512 inline void StoreTruncatedFiniteBytes(__m512 v, unsigned char* p, __mmask16 lanes)
{
    const __m512i whole = _mm512_max_epi32(_mm512_cvttps_epi32(v), _mm512_setzero_si512());
    StoreBytes(_mm512_cvtusepi32_epi8(whole), p, lanes);
}
#endif
