#include "pixorama/workbench/PhotoEffects.h"

#include "PixelLoops.h"
#include "ScratchBytes.h"

#include "pixorama/common/Gaussian.h"

#include <algorithm>
#include <vector>

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
void ScreenRow(unsigned char* __restrict v, const float* __restrict s, int w)
{
    for (int x = 0; x < w; ++x) {
        float c = s[x] < 0.0f ? 0.0f : s[x];
        c = c > 255.0f ? 255.0f : c;
        v[x] = Screen(v[x], static_cast<unsigned char>(static_cast<int>(c)));
    }
}

// A float image over scratch memory that is neither zeroed nor faulted in
// page by page, for the blur.
class FloatScratch {
public:
    FloatScratch(int w, int h) : bytes(std::size_t(w) * std::size_t(h) * sizeof(float)), rows(std::size_t(h))
    {
        float* data = reinterpret_cast<float*>(bytes.get());
        for (int y = 0; y < h; ++y)
            rows[std::size_t(y)] = data + std::size_t(y) * std::size_t(w);
        image.ownsData = image.ownsRows = false;
        image.data = data;
        image.rows = rows.data();
        image.width = w;
        image.height = h;
        image.roi = {0, 0, w - 1, h - 1};
    }

    ClassData2DIO<float> image;

private:
    ScratchBytes bytes;
    std::vector<float*> rows;
};

// blur is a float image of the plane's size, reused between the planes.
void SoftLightPlane(ClassData2DIO<unsigned char>& plane, ClassData2DIO<float>& blur)
{
    const int w = plane.width;
    const int h = plane.height;
    ForRowBands(h, std::size_t(w) * std::size_t(h), [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            std::copy(plane.rows[y], plane.rows[y] + w, blur.rows[y]);
    });
    gGauss(&blur, 9, 1.5f, 0.0f);
    ForRowBands(h, std::size_t(w) * std::size_t(h), [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            ScreenRow(plane.rows[y], blur.rows[y], w);
    });
}

} // namespace

void EffectSoftLight(ColourPlanes planes)
{
    if (planes.Empty())
        return;
    FloatScratch blur(planes.Width(), planes.Height());
    SoftLightPlane(planes.r, blur.image);
    SoftLightPlane(planes.g, blur.image);
    SoftLightPlane(planes.b, blur.image);
}
