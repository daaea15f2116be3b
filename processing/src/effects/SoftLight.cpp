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

// One line of a plane screened with its truncated blur.
PIX_WB_HOT_WIDE
void ScreenRow(unsigned char* __restrict v, const unsigned char* __restrict blur, int w)
{
    for (int x = 0; x < w; ++x)
        v[x] = Screen(v[x], blur[x]);
}

} // namespace

// Each line is screened with its blur as soon as the blur of that line is
// made, so the blur never fills a picture-sized image.
void EffectSoftLight(ColourPlanes planes)
{
    if (planes.Empty())
        return;
    unsigned char* const* rows[] = {planes.r.rows, planes.g.rows, planes.b.rows};
    const int w = planes.Width();
    gGaussPlanesTruncated(
        rows, 3, w, planes.Height(), 9, 1.5f, 0.0f,
        [&rows, w](int p, int y, const unsigned char* blurred) { ScreenRow(rows[p][y], blurred, w); });
}
