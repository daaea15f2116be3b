#include "pixorama/workbench/PhotoEffects.h"

#include "HotKernel.h"

#include "pixorama/common/Gaussian.h"

namespace {

// v + b - v b / 255 with integer division, in 16 bits (v b <= 65025) so the
// line runs on vectors; the result never leaves 0..255.
inline unsigned char Screen(unsigned char v, unsigned char b)
{
    const unsigned short product = static_cast<unsigned short>(v * b);
    const unsigned short quotient = static_cast<unsigned short>((product + 1 + (product >> 8)) >> 8); // product / 255
    return static_cast<unsigned char>(v + b - quotient);
}

// One line of a plane screened with its blur.
PIX_WB_HOT
void ScreenRow(unsigned char* __restrict v, const float* __restrict s, int w)
{
    for (int x = 0; x < w; ++x) {
        float c = s[x] < 0.0f ? 0.0f : s[x];
        c = c > 255.0f ? 255.0f : c;
        v[x] = Screen(v[x], static_cast<unsigned char>(static_cast<int>(c)));
    }
}

// Each line is screened with its blur as soon as the blur of that line is
// made, so the blur never fills a picture-sized float image.
void SoftLightPlane(ClassData2DIO<unsigned char>& plane)
{
    gGaussRows(plane.rows, plane.width, plane.height, 9, 1.5f, 0.0f,
               [&plane](int y, const float* blurred) { ScreenRow(plane.rows[y], blurred, plane.width); });
}

} // namespace

void EffectSoftLight(ColourPlanes planes)
{
    if (planes.Empty())
        return;
    SoftLightPlane(planes.r);
    SoftLightPlane(planes.g);
    SoftLightPlane(planes.b);
}
