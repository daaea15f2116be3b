#include "pixorama/common/QEVUSDATA2D.h"

#include "Smoothing.h"
#include "pixorama/common/NumericTruncate.h"

namespace {

unsigned short truncated(float v)
{
    return pixConvertTruncated<unsigned short>(v);
}

} // namespace

void QEVUSDATA2D::Smooth3()
{
    pixSmoothThroughFloat(*this, pixSmoothKernel3, truncated);
}

void QEVUSDATA2D::Smooth5()
{
    pixSmoothThroughFloat(*this, pixSmoothKernel5, truncated);
}
