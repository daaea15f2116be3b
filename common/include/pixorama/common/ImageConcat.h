#pragma once

#include "ClassData2DIO.h"

// Stitches right onto left (both of one height); the result replaces left.
//
// overlap 0 puts the images side by side. Otherwise n = overlap - 2 cut
// columns are blended: left keeps columns up to e = left.width - cut, right
// loses its first cut columns, and across the n columns from s = e - n a ramp
// a = i / (n - 1) moves from left to right:
//   out = right * a * u + left * (1 - a),   then   out = u * right
// where the gain u is 1, or with matchGain mean(left seam) / mean(right seam)
// for every row whose right seam mean is at least 10 in magnitude.
//
// n <= 1 shows "水平重合参数需要大于二倍的中间切边参数加一". Every refusal
// (that one, missing images, different heights, a negative cut or an overlap
// wider than either image) leaves left unchanged and returns false.
bool gImaConcate(ClassData2DIO<float>* left, ClassData2DIO<float>* right, int overlap, int cut, bool matchGain);
