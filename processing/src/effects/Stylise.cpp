#include "pixorama/workbench/PhotoEffects.h"

#include "PixelLoops.h"

#include <algorithm>

namespace {

// Plane row r is picture row height - 1 - r: the picture's lower neighbour is
// plane row r - 1, its upper neighbour plane row r + 1.
void Relief(ClassData2DIO<unsigned char>& plane)
{
    const ClassData2DIO<unsigned char> source(plane);
    const int w = plane.width;
    const int h = plane.height;
    ForRowBands(h, std::size_t(w) * std::size_t(h), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const unsigned char* lower = source.rows[std::max(y - 1, 0)];
            const unsigned char* upper = source.rows[std::min(y + 1, h - 1)];
            unsigned char* out = plane.rows[y];
            for (int x = 0; x < w; ++x)
                out[x] = ClampByte(128 + lower[std::min(x + 1, w - 1)] - upper[std::max(x - 1, 0)]);
        }
    });
}

} // namespace

void EffectStylise(ColourPlanes planes)
{
    if (planes.Empty())
        return;
    Relief(planes.r);
    Relief(planes.g);
    Relief(planes.b);
}
