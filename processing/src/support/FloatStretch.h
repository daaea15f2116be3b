#pragma once

#include "pixorama/common/ClassData2DIO.h"

// The linear stretch of a float picture to 8 bits by its own minimum and
// maximum, without clipping: v becomes the integer part of
// (v - min) * (255 / (max - min)). Rows are spread over the processors.

// Minimum and maximum of a non-empty picture.
void gFloatRange(const ClassData2DIO<float>& in, float& low, float& high);

// out (of in's size) takes the stretched values; false, with out untouched,
// when the range is below minRange.
bool gStretchToBytes(const ClassData2DIO<float>& in, ClassData2DIO<unsigned char>& out, float minRange = 1e-7f);
