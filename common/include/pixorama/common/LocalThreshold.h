#pragma once

#include "ClassData2DIO.h"

// Local adaptive threshold. With r = size / 2, a pixel becomes 255 when
// value * (2r + 1)^2 > 0.85 * (sum of its (2r + 1) x (2r + 1) window), else 0.
// Reads outside the image fold back with the edge pixel repeated
// (..., 1, 0, 0, 1, ...), however far the window reaches. False, with img
// unchanged, for an empty image or a size beyond 2^21.
bool LAT_Constant(ClassData2DIO<unsigned char>& img, int size);
