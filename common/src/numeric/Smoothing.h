#pragma once

#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/common/Convolution.h"

#include "FloatCopy.h"

#include <cstddef>

// The two fixed smoothing kernels of the image classes, applied through ConFltMC.

// (1, 2, 1) x (1, 2, 1) / 16.
void pixSmoothKernel3(ClassData2DIO<float>& k);
// (1, 4, 7, 4, 1; 4, 16, 26, 16, 4; 7, 26, 41, 26, 7; ...) / 273.
void pixSmoothKernel5(ClassData2DIO<float>& k);

// Smooths an integer image through a float copy; store(v) turns each result
// back into a pixel.
template <typename T, typename Store>
void pixSmoothThroughFloat(ClassData2DIO<T>& img, void (*makeKernel)(ClassData2DIO<float>&), Store store)
{
    if (img.data == nullptr || img.width <= 0 || img.height <= 0)
        return;
    ClassData2DIO<float> values = pixFloatCopy(img);
    ClassData2DIO<float> k;
    makeKernel(k);
    ConFltMC(&values, &k);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            img.rows[y][x] = store(values.rows[y][x]);
}
