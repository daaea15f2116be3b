#include "pixorama/workbench/PhotoEffects.h"

#include "PixelLoops.h"

#include "pixorama/common/Gaussian.h"

#include <algorithm>

namespace {

void SoftLightPlane(ClassData2DIO<unsigned char>& plane)
{
    const int w = plane.width;
    const int h = plane.height;
    ClassData2DIO<float> blur;
    blur.SetDim(w, h);
    for (int y = 0; y < h; ++y)
        std::copy(plane.rows[y], plane.rows[y] + w, blur.rows[y]);
    gGauss(&blur, 9, 1.5f, 0.0f);
    ForRowBands(h, std::size_t(w) * std::size_t(h), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            unsigned char* v = plane.rows[y];
            const float* s = blur.rows[y];
            for (int x = 0; x < w; ++x) {
                const int b = int(std::clamp(s[x], 0.0f, 255.0f));
                v[x] = ClampByte(v[x] + b - v[x] * b / 255);
            }
        }
    });
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
