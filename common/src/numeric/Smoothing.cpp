#include "Smoothing.h"

namespace {

void fill(ClassData2DIO<float>& k, int size, const float* taps, float divisor)
{
    k.SetDim(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            k.rows[y][x] = taps[y * size + x] / divisor;
}

} // namespace

void pixSmoothKernel3(ClassData2DIO<float>& k)
{
    static const float taps[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
    fill(k, 3, taps, 16.0f);
}

void pixSmoothKernel5(ClassData2DIO<float>& k)
{
    static const float taps[25] = {1, 4, 7, 4, 1, 4, 16, 26, 16, 4, 7, 26, 41, 26, 7, 4, 16, 26, 16, 4, 1, 4, 7, 4, 1};
    fill(k, 5, taps, 273.0f);
}
