#pragma once

#include <cstdlib>

// Hot loops are built for x86-64-v3 (AVX2, FMA) and for the baseline; the
// loader picks what the processor supports. Clang builds take the baseline.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define PIX_WB_HOT __attribute__((target_clones("arch=x86-64-v3", "default")))
// Kernels on short runs gain from 16 lanes where the processor has them.
#define PIX_WB_HOT_WIDE __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
// AVX2 without FMA, for loops whose floats must not change with the processor.
#define PIX_WB_AVX2 __attribute__((target_clones("avx2", "default")))
#else
#define PIX_WB_HOT
#define PIX_WB_HOT_WIDE
#define PIX_WB_AVX2
#endif

// Kernels written with AVX-512 (F, BW and VL) intrinsics, called only where
// HasAvx512() says the processor runs them. A plain target, not clones:
// clang builds them as well. PIXORAMA_NO_AVX512=1 in the environment keeps
// to the other kernels, so they can be tried on any processor.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define PIX_WB_HAS_AVX512 1
#define PIX_WB_AVX512 __attribute__((target("avx512f,avx512bw,avx512vl")))

inline bool HasAvx512()
{
    static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("avx512f")
                             && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl"))
                            && !std::getenv("PIXORAMA_NO_AVX512");
    return has;
}
#endif
