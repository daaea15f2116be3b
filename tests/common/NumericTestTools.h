#pragma once

// Shared helpers of the numeric tests: the float mirror rule, images of
// seeded random values and a ramp.
#include "pixorama/common/ClassData2DIO.h"

#include <algorithm>
#include <random>
#include <type_traits>

namespace numtest {

// Float mirror rule: |c|, folded into 0..2n-1, 2n - c - 2 past the end, clamped.
inline int reflect(int c, int n)
{
    int a = c < 0 ? -c : c;
    while (a >= 2 * n)
        a -= 2 * n;
    if (a >= n)
        a = 2 * n - a - 2;
    return std::clamp(a, 0, n - 1);
}

// img becomes w x h values drawn evenly from lo..hi with seed: whole values
// (hi included) for integer pixels.
template <typename T>
void fillRandom(ClassData2DIO<T>& img, int w, int h, unsigned seed, double lo = 0.0, double hi = 1000.0)
{
    using Dist = std::conditional_t<std::is_floating_point_v<T>, std::uniform_real_distribution<T>,
                                    std::uniform_int_distribution<int>>;
    img.SetDim(w, h);
    std::mt19937 rng(seed);
    Dist dist(static_cast<typename Dist::result_type>(lo), static_cast<typename Dist::result_type>(hi));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.rows[y][x] = static_cast<T>(dist(rng));
}

// img becomes w x h holding 10 * y + x at (x, y).
inline void fillRamp(ClassData2DIO<float>& img, int w, int h)
{
    img.SetDim(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.rows[y][x] = float(10 * y + x);
}

} // namespace numtest
