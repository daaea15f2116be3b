#include "pixorama/workbench/PhotoEffects.h"

#include "HotKernel.h"
#include "PixelLoops.h"

#include "pixorama/common/Gaussian.h"

#include <algorithm>

namespace {

// v + b - v b / 255 with integer division, in 16 bits (v b <= 65025) so the
// line runs on vectors; the result never leaves 0..255.
inline unsigned char Screen(unsigned char v, unsigned char b)
{
    const unsigned short product = static_cast<unsigned short>(v * b);
    const unsigned short quotient = static_cast<unsigned short>((product + 1 + (product >> 8)) >> 8); // product / 255
    return static_cast<unsigned char>(v + b - quotient);
}

// One line of a plane screened with its blur, truncated to bytes.
PIX_WB_HOT
void ScreenRow(unsigned char* __restrict v, const float* __restrict s, int w)
{
    alignas(64) unsigned char blur[PixelRun::size];
    for (int x = 0; x < w; x += PixelRun::size) {
        const int n = std::min(PixelRun::size, w - x);
        TruncatedBytes(s + x, blur, n);
        for (int i = 0; i < n; ++i)
            v[x + i] = Screen(v[x + i], blur[i]);
    }
}

} // namespace

// Each line is screened with its blur as soon as the blur of that line is
// made, so the blur never fills a picture-sized float image.
void EffectSoftLight(ColourPlanes planes)
{
    if (planes.Empty())
        return;
    unsigned char* const* rows[] = {planes.r.rows, planes.g.rows, planes.b.rows};
    const int w = planes.Width();
    gGaussPlanes(rows, 3, w, planes.Height(), 9, 1.5f, 0.0f,
                 [&rows, w](int p, int y, const float* blurred) { ScreenRow(rows[p][y], blurred, w); });
}
