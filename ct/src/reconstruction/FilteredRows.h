#pragma once

#include "pixorama/common/ClassData2DIO.h"

#include <algorithm>

// Filtered detector rows with two zero samples on each side, so that a
// position clamped into [0, width + 2.5] reads zero beyond the detector:
// detector column j sits at padded index j + 2.
constexpr int rowPad = 2;

inline float PaddedLimit(int width)
{
    return float(width + rowPad) + 0.5f;
}

// Linear interpolation at padded position p (clamped).
inline float SampleRow(const float* row, float p, float limit)
{
    p = std::min(std::max(p, 0.0f), limit);
    const int i = int(p);
    const float f = p - float(i);
    return row[i] + f * (row[i + 1] - row[i]);
}
