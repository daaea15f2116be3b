#include "pixorama/common/QEVUCDATA2D.h"

#include "Smoothing.h"

void QEVUCDATA2D::Negative()
{
    if (IsEmpty())
        return;
    const int top = (typeCode == 2 || typeCode == 3) ? 255 : int(GetMax());
    for (int y = 0; y < height; ++y)
        for (unsigned char* p = rows[y]; p < rows[y] + width; ++p)
            *p = static_cast<unsigned char>(top - *p);
}

namespace {

unsigned char clampedByte(float v)
{
    if (!(v > 0.0f))
        return 0;
    return v >= 255.0f ? 255 : static_cast<unsigned char>(v);
}

} // namespace

void QEVUCDATA2D::Smooth3()
{
    pixSmoothThroughFloat(*this, pixSmoothKernel3, clampedByte);
}

void QEVUCDATA2D::Smooth5()
{
    pixSmoothThroughFloat(*this, pixSmoothKernel5, clampedByte);
}
