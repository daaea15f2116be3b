// The FDK inner loop: detector values interpolated along a voxel column.
#include "VoxelRun.h"

#include "pixorama/workbench/Reconstruction.h"

#include <algorithm>

#include <immintrin.h>

namespace {

bool plainLoops = false;

// Whole part of a row position >= -4 (branch-free; a position a hair below
// an integer may round up, leaving a fraction of -1e-7).
inline int floorOf(float p)
{
    return int(p + 4.0f) - 4;
}

inline float blended(const VoxelRun& r, int i)
{
    return r.weight * (r.c0[i] + r.fu * (r.c1[i] - r.c0[i]));
}

void addPlain(const VoxelRun& r, int first, int count, float* voxels)
{
    for (int k = 0; k < count; ++k) {
        const float p = std::clamp(r.rowAt0 + float(first + k) * r.rowStep, r.lowRow, r.highRow);
        const int whole = floorOf(p);
        const float f = p - float(whole);
        const int i = whole - r.bandOrigin;
        const float a = blended(r, i);
        voxels[k] += a + f * (blended(r, i + 1) - a);
    }
}

// The same operations in the same order, eight slices at a time, with no
// fused multiply-add. With a slice step below 1.9 rows, eight slices span
// at most 15 rows, so both interpolation ends come out of one 16-row window
// by lane permutes; longer steps gather, and so do the falling rows of
// voxels behind the source (a field wider than the orbit).
__attribute__((target("avx2"))) inline __m256 blendedAt(const VoxelRun& r, int i, __m256 fu, __m256 weight)
{
    const __m256 a = _mm256_loadu_ps(r.c0 + i);
    return _mm256_mul_ps(weight, _mm256_add_ps(a, _mm256_mul_ps(fu, _mm256_sub_ps(_mm256_loadu_ps(r.c1 + i), a))));
}

__attribute__((target("avx2"))) inline __m256 blendedGather(const VoxelRun& r, __m256i i, __m256 fu, __m256 weight)
{
    const __m256 a = _mm256_i32gather_ps(r.c0, i, 4);
    return _mm256_mul_ps(weight, _mm256_add_ps(a, _mm256_mul_ps(fu, _mm256_sub_ps(_mm256_i32gather_ps(r.c1, i, 4), a))));
}

__attribute__((target("avx2"))) inline __m256 pick(__m256 low, __m256 high, __m256i index)
{
    const __m256 second = _mm256_castsi256_ps(_mm256_cmpgt_epi32(index, _mm256_set1_epi32(7)));
    return _mm256_blendv_ps(_mm256_permutevar8x32_ps(low, index), _mm256_permutevar8x32_ps(high, index), second);
}

__attribute__((target("avx2"))) inline __m256 sampleWide(const VoxelRun& r, __m256 slice)
{
    const __m256 fu = _mm256_set1_ps(r.fu), weight = _mm256_set1_ps(r.weight);
    __m256 p = _mm256_add_ps(_mm256_set1_ps(r.rowAt0), _mm256_mul_ps(slice, _mm256_set1_ps(r.rowStep)));
    p = _mm256_min_ps(_mm256_max_ps(p, _mm256_set1_ps(r.lowRow)), _mm256_set1_ps(r.highRow));
    const __m256i four = _mm256_set1_epi32(4), one = _mm256_set1_epi32(1);
    const __m256i whole = _mm256_sub_epi32(_mm256_cvttps_epi32(_mm256_add_ps(p, _mm256_set1_ps(4.0f))), four);
    const __m256 f = _mm256_sub_ps(p, _mm256_cvtepi32_ps(whole));
    __m256 a, b;
    if (r.rowStep >= 0.0f && r.rowStep < 1.9f) {
        const int start = _mm256_cvtsi256_si32(whole);
        const int i = start - r.bandOrigin;
        const __m256 low = blendedAt(r, i, fu, weight), high = blendedAt(r, i + 8, fu, weight);
        const __m256i index = _mm256_sub_epi32(whole, _mm256_set1_epi32(start));
        a = pick(low, high, index);
        b = pick(low, high, _mm256_add_epi32(index, one));
    } else {
        const __m256i i = _mm256_sub_epi32(whole, _mm256_set1_epi32(r.bandOrigin));
        a = blendedGather(r, i, fu, weight);
        b = blendedGather(r, _mm256_add_epi32(i, one), fu, weight);
    }
    return _mm256_add_ps(a, _mm256_mul_ps(f, _mm256_sub_ps(b, a)));
}

__attribute__((target("avx2"))) void addWide(const VoxelRun* runs, int views, int first, int count, float* voxels)
{
    __m256 slice = _mm256_add_ps(_mm256_set1_ps(float(first)), _mm256_setr_ps(0, 1, 2, 3, 4, 5, 6, 7));
    int k = 0;
    for (; k + 8 <= count; k += 8, slice = _mm256_add_ps(slice, _mm256_set1_ps(8.0f))) {
        __m256 sum = _mm256_loadu_ps(voxels + k);
        for (int v = 0; v < views; ++v)
            sum = _mm256_add_ps(sum, sampleWide(runs[v], slice));
        _mm256_storeu_ps(voxels + k, sum);
    }
    for (int v = 0; v < views; ++v)
        addPlain(runs[v], first + k, count - k, voxels + k);
}

// Sixteen slices at a time, the same way: with a step below 1.9 rows they
// span at most 30 rows, a 32-row window of two registers.
__attribute__((target("avx512f"))) inline __m512 blendedAt(const VoxelRun& r, int i, __m512 fu, __m512 weight)
{
    const __m512 a = _mm512_loadu_ps(r.c0 + i);
    return _mm512_mul_ps(weight, _mm512_add_ps(a, _mm512_mul_ps(fu, _mm512_sub_ps(_mm512_loadu_ps(r.c1 + i), a))));
}

__attribute__((target("avx512f"))) inline __m512 blendedGather(const VoxelRun& r, __m512i i, __m512 fu, __m512 weight)
{
    const __m512 a = _mm512_i32gather_ps(i, r.c0, 4);
    return _mm512_mul_ps(weight, _mm512_add_ps(a, _mm512_mul_ps(fu, _mm512_sub_ps(_mm512_i32gather_ps(i, r.c1, 4), a))));
}

__attribute__((target("avx512f"))) inline __m512 sampleWidest(const VoxelRun& r, __m512 slice)
{
    const __m512 fu = _mm512_set1_ps(r.fu), weight = _mm512_set1_ps(r.weight);
    __m512 p = _mm512_add_ps(_mm512_set1_ps(r.rowAt0), _mm512_mul_ps(slice, _mm512_set1_ps(r.rowStep)));
    p = _mm512_min_ps(_mm512_max_ps(p, _mm512_set1_ps(r.lowRow)), _mm512_set1_ps(r.highRow));
    const __m512i four = _mm512_set1_epi32(4), one = _mm512_set1_epi32(1);
    const __m512i whole = _mm512_sub_epi32(_mm512_cvttps_epi32(_mm512_add_ps(p, _mm512_set1_ps(4.0f))), four);
    const __m512 f = _mm512_sub_ps(p, _mm512_cvtepi32_ps(whole));
    __m512 a, b;
    if (r.rowStep >= 0.0f && r.rowStep < 1.9f) {
        const int start = _mm_cvtsi128_si32(_mm512_castsi512_si128(whole));
        const int i = start - r.bandOrigin;
        const __m512 low = blendedAt(r, i, fu, weight), high = blendedAt(r, i + 16, fu, weight);
        const __m512i index = _mm512_sub_epi32(whole, _mm512_set1_epi32(start));
        a = _mm512_permutex2var_ps(low, index, high);
        b = _mm512_permutex2var_ps(low, _mm512_add_epi32(index, one), high);
    } else {
        const __m512i i = _mm512_sub_epi32(whole, _mm512_set1_epi32(r.bandOrigin));
        a = blendedGather(r, i, fu, weight);
        b = blendedGather(r, _mm512_add_epi32(i, one), fu, weight);
    }
    return _mm512_add_ps(a, _mm512_mul_ps(f, _mm512_sub_ps(b, a)));
}

__attribute__((target("avx512f"))) void addWidest(const VoxelRun* runs, int views, int first, int count, float* voxels)
{
    __m512 slice = _mm512_add_ps(_mm512_set1_ps(float(first)),
                                 _mm512_setr_ps(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15));
    int k = 0;
    for (; k + 16 <= count; k += 16, slice = _mm512_add_ps(slice, _mm512_set1_ps(16.0f))) {
        __m512 sum = _mm512_loadu_ps(voxels + k);
        for (int v = 0; v < views; ++v)
            sum = _mm512_add_ps(sum, sampleWidest(runs[v], slice));
        _mm512_storeu_ps(voxels + k, sum);
    }
    addWide(runs, views, first + k, count - k, voxels + k);
}

// Static initialisers run before the processor model is filled in.
const bool wide = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
const bool widest = wide && __builtin_cpu_supports("avx512f");

} // namespace

void AddViewsToColumn(const VoxelRun* runs, int views, int first, int count, float* voxels)
{
    if (widest && !plainLoops) {
        addWidest(runs, views, first, count, voxels);
        return;
    }
    if (wide && !plainLoops) {
        addWide(runs, views, first, count, voxels);
        return;
    }
    for (int v = 0; v < views; ++v)
        addPlain(runs[v], first, count, voxels);
}

bool PlainBackProjectionLoops()
{
    return plainLoops;
}

void UsePlainBackProjectionLoops(bool plain)
{
    plainLoops = plain;
}
