#pragma once

#include <cstddef>

// Eight-float vectors for the hot kernels. The compiler's vector extension
// maps them to one AVX register in the AVX2 build of a kernel and to two SSE
// registers in the baseline build, so one source serves both.
//
// Vectors travel by reference only: passing them by value would change the
// calling convention between the two builds.

using V8 = float __attribute__((vector_size(32)));
using V8i = int __attribute__((vector_size(32)));

inline constexpr int kV8Lanes = 8;

// Rows start at any float, so loads and stores must not assume 32-byte
// alignment. A copy is the one spelling both compilers turn into unaligned
// vector moves: clang ignores a lowered alignment on a vector alias and
// emits aligned moves that fault.
[[gnu::always_inline]] inline void v8Load(V8& v, const float* p)
{
    __builtin_memcpy(&v, p, sizeof v);
}

[[gnu::always_inline]] inline void v8Store(float* p, const V8& v)
{
    __builtin_memcpy(p, &v, sizeof v);
}

[[gnu::always_inline]] inline void v8Splat(V8& v, float s)
{
    v = V8{} + s;
}

// Hot kernels are compiled for x86-64-v3 (AVX2 and FMA) and for the baseline;
// the loader picks the build the processor supports. Clang 14 emits the
// resolver as a local symbol that other objects cannot link to, so clang
// builds (the fuzz targets) take the baseline only.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define PIX_HOT_KERNEL __attribute__((target_clones("arch=x86-64-v3", "default")))
// Kernels that gain from sixteen lanes and 32 registers where the processor has them.
#define PIX_HOT_KERNEL_WIDE __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#else
#define PIX_HOT_KERNEL
#define PIX_HOT_KERNEL_WIDE
#endif
