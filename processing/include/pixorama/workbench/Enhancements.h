#pragma once

#include "pixorama/common/ClassData2DIO.h"

#include <array>

// The enhancements of 8-bit colour pictures, one plane (or three) at a time.

// Histogram equalisation: t(k) = integer part of (c(k) * 255 + 0.5), c the
// cumulative share of pixels at or below k, computed exactly.
std::array<unsigned char, 256> gEqualisationTable(const ClassData2DIO<unsigned char>& plane);
void gEqualiseHistogram(ClassData2DIO<unsigned char>& plane);

// Local brightness adaptation: dark pixels are lifted by an adaptation level
// built from the pixel, its 3 x 3 mean and the share of dark pixels; the
// result is stretched to 0..255. A plane whose adapted values are all equal
// is returned unchanged.
void gAdaptBrightness(ClassData2DIO<unsigned char>& plane);

// Pyramid enhancement of the luminance (Y of YUV, four levels); the colour
// differences are kept. The three planes must have one size.
void gEnhanceLuminance(ClassData2DIO<unsigned char>& r, ClassData2DIO<unsigned char>& g,
                       ClassData2DIO<unsigned char>& b);
