#pragma once

#include "pixorama/common/ClassData2DIO.h"

#include <algorithm>

// The one span writer of the fillers: rows[y][x0..x1] := value, clipped to
// the image. x0 > x1 writes nothing.
inline void pixFillSpan(ClassData2DIO<int>& img, long long y, long long x0, long long x1, int value)
{
    if (y < 0 || y >= img.height)
        return;
    x0 = std::max(x0, 0LL);
    x1 = std::min(x1, (long long)img.width - 1);
    if (x0 > x1)
        return;
    int* row = img.rows[y];
    std::fill(row + x0, row + x1 + 1, value);
}
