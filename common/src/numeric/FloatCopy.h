#pragma once

#include "pixorama/common/ClassData2DIO.h"

// The image's values as floats, in an image of its size.
template <typename T>
ClassData2DIO<float> pixFloatCopy(const ClassData2DIO<T>& img)
{
    ClassData2DIO<float> values;
    values.SetDim(img.width, img.height);
    for (int y = 0; y < img.height; ++y) {
        const T* in = img.rows[y];
        float* out = values.rows[y];
        for (int x = 0; x < img.width; ++x)
            out[x] = float(in[x]);
    }
    return values;
}
