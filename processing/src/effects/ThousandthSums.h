#pragma once

#include "PixelLoops.h"

// Channel weights in whole thousandths, such as 299, 587, 114 for 0.299 R +
// 0.587 G + 0.114 B.
struct Thousandths {
    int r, g, b;
};

// The weights of QEVColorToGray.
inline constexpr Thousandths greyWeights{299, 587, 114};

// The sum w.r / 1000 R + w.g / 1000 G + w.b / 1000 B taken in double
// precision in that order, truncated and held at 255: the plain formula.
inline unsigned char DoubleSum(unsigned char r, unsigned char g, unsigned char b, Thousandths w)
{
    return ClampByte(w.r / 1000.0 * r + w.g / 1000.0 * g + w.b / 1000.0 * b);
}

// The same bytes from the integer s = w.r R + w.g G + w.b B. The exact sum
// is s / 1000, whose fraction is a whole number of thousandths; the double
// products and sums stray from it by far less than a thousandth, so they
// truncate to s / 1000 as well unless s / 1000 is a whole number, where they
// may land just below it. Only those few pixels need the double formula.
inline unsigned char ExactSum(unsigned char r, unsigned char g, unsigned char b, Thousandths w)
{
    const int s = w.r * r + w.g * g + w.b * b;
    if (s % 1000 == 0 && s <= 255000)
        return DoubleSum(r, g, b, w);
    return static_cast<unsigned char>(s < 255000 ? s / 1000 : 255);
}

inline constexpr int thousandthSetsMax = 3;

// out[k][i] = ExactSum(r[i], g[i], b[i], w[k]) for the pixels i of a run of
// n, for count (at most thousandthSetsMax) weight sets. Weights are
// 0..1000 with a sum of at most 1800. An output may be one of the inputs
// (the pixels are read before they are written) but must not overlap one
// at another offset.
void ThousandthSumRows(const unsigned char* r, const unsigned char* g, const unsigned char* b, int n,
                       const Thousandths* w, int count, unsigned char* const* out);

template <int N>
void ThousandthSums(const PixelRun& in, int n, const Thousandths (&w)[N], unsigned char* const (&out)[N])
{
    static_assert(N <= thousandthSetsMax);
    ThousandthSumRows(in.r, in.g, in.b, n, w, N, out);
}
