#pragma once

#include "ClassData2DIO.h"

// 2-D correlation with mirrored borders (the kernel is not flipped):
//   out(x, y) = sum over dy, dx of img(x + dx, y + dy) * k[dy + kh/2][dx + kw/2]
// with dx in -kw/2..kw/2 and dy in -kh/2..kh/2. Reads outside the image fold
// back without repeating the edge pixel (..., 2, 1, 0, 1, 2, ...).
//
// Every variant replaces img by the result and returns true. A missing or
// empty image or kernel, or a kernel of even width or height, leaves img
// unchanged and returns false.

// Rows spread over one worker per processor. A kernel that factors into a
// column times a row (within float rounding) is applied in two 1-D passes.
bool ConFltMC(ClassData2DIO<float>* img, ClassData2DIO<float>* k);
// The same operation under its exported name.
bool gConv2(ClassData2DIO<float>* img, ClassData2DIO<float>* k);

// In the caller's thread, always with the full kernel.
bool ConvFltVer0(ClassData2DIO<float>* img, ClassData2DIO<float>* k);
// As ConvFltVer0, computing the border rows first, in pairs (y, H - 1 - y).
bool ConvFltVer1(ClassData2DIO<float>* img, ClassData2DIO<float>* k);
// Only pixels whose window lies inside the image are computed; the others become 0.
bool ConvFltVer2(ClassData2DIO<float>* img, ClassData2DIO<float>* k);
