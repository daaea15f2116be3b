#include "pixorama/workbench/PhotoEffects.h"

#include "HotKernel.h"

#include "pixorama/common/Gaussian.h"

// The 64-byte vectors below never cross a call: every function taking one
// is inlined, so the AVX-512 calling convention does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

// v + b - v b / 255 with integer division, exact in 16 bits (v b <= 65025);
// the result never leaves 0..255.
inline unsigned char Screen(unsigned char v, unsigned char b)
{
    const unsigned short product = static_cast<unsigned short>(v * b);
    const unsigned short quotient = static_cast<unsigned short>((product + 1 + (product >> 8)) >> 8); // product / 255
    return static_cast<unsigned char>(v + b - quotient);
}

// A blurred value truncated to 0..255; not-a-number gives 0.
inline unsigned char TruncatedByte(float s)
{
    const float c = s > 0.0f ? s : 0.0f;
    return static_cast<unsigned char>(static_cast<int>(c < 255.0f ? c : 255.0f));
}

// Thirty-two pixels at a time: the blur truncated in 32-bit lanes, then
// screened in 16-bit lanes, one AVX-512 register each where the processor
// has it.
using Floats = float __attribute__((vector_size(64)));
using Ints = int __attribute__((vector_size(64)));
using Shorts = unsigned short __attribute__((vector_size(64)));
using HalfBytes = unsigned char __attribute__((vector_size(32)));
constexpr int run = 32;

[[gnu::always_inline]] inline void TruncatedInts(Ints& out, const float* s)
{
    Floats f;
    __builtin_memcpy(&f, s, sizeof f);
    f = f > 0.0f ? f : 0.0f;
    f = f < 255.0f ? f : 255.0f;
    out = __builtin_convertvector(f, Ints);
}

[[gnu::always_inline]] inline void ScreenRun(unsigned char* v, const float* s)
{
    Ints low, high;
    TruncatedInts(low, s);
    TruncatedInts(high, s + run / 2);
    // The low half of each 32-bit lane holds the byte.
    const Shorts b =
        __builtin_shufflevector(Shorts(low), Shorts(high), 0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30,
                                32, 34, 36, 38, 40, 42, 44, 46, 48, 50, 52, 54, 56, 58, 60, 62);
    HalfBytes bytes;
    __builtin_memcpy(&bytes, v, sizeof bytes);
    const Shorts wide = __builtin_convertvector(bytes, Shorts);
    const Shorts product = wide * b;
    const Shorts screened = wide + b - ((product + 1 + (product >> 8)) >> 8);
    const HalfBytes out = __builtin_convertvector(screened, HalfBytes);
    __builtin_memcpy(v, &out, sizeof out);
}

// One line of a plane screened with its blur, truncated to bytes.
PIX_WB_HOT_WIDE
void ScreenRow(unsigned char* __restrict v, const float* __restrict s, int w)
{
    int x = 0;
    for (; x + run <= w; x += run)
        ScreenRun(v + x, s + x);
    for (; x < w; ++x)
        v[x] = Screen(v[x], TruncatedByte(s[x]));
}

} // namespace

// Each line is screened with its blur as soon as the blur of that line is
// made, so the blur never fills a picture-sized float image.
void EffectSoftLight(ColourPlanes planes)
{
    if (planes.Empty())
        return;
    unsigned char* const* rows[] = {planes.r.rows, planes.g.rows, planes.b.rows};
    const int w = planes.Width();
    gGaussPlanes(rows, 3, w, planes.Height(), 9, 1.5f, 0.0f,
                 [&rows, w](int p, int y, const float* blurred) { ScreenRow(rows[p][y], blurred, w); });
}
