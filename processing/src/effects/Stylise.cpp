#include "pixorama/workbench/PhotoEffects.h"

#include "PixelLoops.h"
#include "ScratchBytes.h"

#include <algorithm>
#include <cstring>

namespace {

// One relief line: 128 + lower[x + 1] - upper[x - 1], edges repeated.
void ReliefRow(const unsigned char* lower, const unsigned char* upper, unsigned char* out, int w)
{
    if (w == 1) {
        out[0] = ClampByte(128 + lower[0] - upper[0]);
        return;
    }
    out[0] = ClampByte(128 + lower[1] - upper[0]);
    for (int x = 1; x < w - 1; ++x) {
        const int v = 128 + lower[x + 1] - upper[x - 1];
        out[x] = static_cast<unsigned char>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
    out[w - 1] = ClampByte(128 + lower[w - 1] - upper[w - 2]);
}

// Plane row r is picture row height - 1 - r: the picture's lower neighbour is
// plane row r - 1, its upper neighbour plane row r + 1.
void Relief(ClassData2DIO<unsigned char>& plane, unsigned char* copy)
{
    const int w = plane.width;
    const int h = plane.height;
    CopyPlane(plane, copy);
    auto row = [copy, w](int y) { return copy + std::size_t(y) * std::size_t(w); };
    ForRowBands(h, std::size_t(w) * std::size_t(h), [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            ReliefRow(row(std::max(y - 1, 0)), row(std::min(y + 1, h - 1)), plane.rows[y], w);
    });
}

} // namespace

void EffectStylise(ColourPlanes planes)
{
    if (planes.Empty())
        return;
    const ScratchBytes copy(std::size_t(planes.Width()) * std::size_t(planes.Height()));
    Relief(planes.r, copy.get());
    Relief(planes.g, copy.get());
    Relief(planes.b, copy.get());
}
