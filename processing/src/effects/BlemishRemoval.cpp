#include "pixorama/workbench/PhotoEffects.h"
#include "pixorama/workbench/WatershedCore.h"

#include "PixelLoops.h"

#include <vector>

namespace {

constexpr int spotRadius = 2;    // a 5 x 5 closing fills spots up to five pixels across
constexpr int spotContrast = 10; // grey levels below the surroundings that make a spot

// The plane's closing (dilation, then erosion) into closed.
void Closing(const ClassData2DIO<unsigned char>& plane, std::vector<unsigned char>& closed)
{
    const int w = plane.width;
    const int h = plane.height;
    std::vector<unsigned char> scratch(std::size_t(w) * std::size_t(h));
    closed.resize(scratch.size());
    DilateSquare(plane.data, scratch.data(), w, h, spotRadius);
    ErodeSquare(scratch.data(), closed.data(), w, h, spotRadius);
}

// Integer luma, 0.299 R + 0.587 G + 0.114 B in thousandths.
int Luma(int r, int g, int b)
{
    return (299 * r + 587 * g + 114 * b) / 1000;
}

} // namespace

void EffectBlemishRemoval(ColourPlanes planes)
{
    if (planes.Empty())
        return;
    std::vector<unsigned char> closed[3];
    Closing(planes.r, closed[0]);
    Closing(planes.g, closed[1]);
    Closing(planes.b, closed[2]);
    const int w = planes.Width();
    ForRowBands(planes.Height(), closed[0].size(), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            unsigned char* r = planes.r.rows[y];
            unsigned char* g = planes.g.rows[y];
            unsigned char* b = planes.b.rows[y];
            const std::size_t at = std::size_t(y) * std::size_t(w);
            const unsigned char* cr = closed[0].data() + at;
            const unsigned char* cg = closed[1].data() + at;
            const unsigned char* cb = closed[2].data() + at;
            for (int x = 0; x < w; ++x) {
                if (Luma(cr[x], cg[x], cb[x]) - Luma(r[x], g[x], b[x]) <= spotContrast)
                    continue;
                r[x] = cr[x];
                g[x] = cg[x];
                b[x] = cb[x];
            }
        }
    });
}

void EffectStrongBlemishRemoval(ColourPlanes planes)
{
    if (planes.Empty())
        return;
    std::vector<unsigned char> closed;
    for (ClassData2DIO<unsigned char>* plane : {&planes.r, &planes.g, &planes.b}) {
        Closing(*plane, closed);
        for (int y = 0; y < plane->height; ++y)
            std::copy(closed.data() + std::size_t(y) * std::size_t(plane->width),
                      closed.data() + std::size_t(y + 1) * std::size_t(plane->width), plane->rows[y]);
    }
}
