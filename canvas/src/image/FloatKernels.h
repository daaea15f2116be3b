#pragma once

#include "pixorama/platform/Types.h"

// Row kernels of the float display path. Each works on a run of rows so
// that callers can split an image over threads.
namespace floatkernels {

// Smallest and largest value seen; NaN never counts. Start from empty().
struct Range {
    float lo;
    float hi;
    static Range empty();
    void merge(const Range& other);
    bool infinite() const;
};

// Copies n floats from in to out (memmove: they may be the same) and
// widens range by them.
void copyAndMeasure(float* out, const float* in, int n, Range& range);

// Widens range by the finite values of a row only.
void measureFinite(const float* row, int n, Range& range);

// v <= lo -> 0, v >= hi -> 65535, else (v - lo) * (65535 / (hi - lo)) in
// single precision.
void rescale(float* row, int n, float lo, float hi);

// out[x] = table[low 16 bits of trunc(in[x])], where label[x] >= 1 when a
// label row is given.
void mapThroughTable(plat::Pixel* out, const float* in, const int* label, int n, const plat::Pixel* table);

} // namespace floatkernels
