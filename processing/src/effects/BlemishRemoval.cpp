#include "pixorama/workbench/PhotoEffects.h"
#include "pixorama/workbench/WatershedCore.h"

#include "PixelLoops.h"

#include <memory>
#include <vector>

namespace {

constexpr int spotRadius = 2;    // a 5 x 5 closing fills spots up to five pixels across
constexpr int spotContrast = 10; // grey levels below the surroundings that make a spot

// The plane's closing (dilation, then erosion) into closed.
void Closing(const ClassData2DIO<unsigned char>& plane, std::vector<unsigned char>& closed)
{
    const int w = plane.width;
    const int h = plane.height;
    const std::unique_ptr<unsigned char[]> dilated(new unsigned char[std::size_t(w) * std::size_t(h)]);
    closed.resize(std::size_t(w) * std::size_t(h));
    DilateSquare(plane.data, dilated.get(), w, h, spotRadius);
    ErodeSquare(dilated.get(), closed.data(), w, h, spotRadius);
}

// A closing never lowers a channel; a spot is where it raises the luma
// (77 R + 150 G + 29 B over 256, in 16 bits so that it runs 8 pixels at a
// time) by more than the contrast.
inline bool IsSpot(unsigned char raisedR, unsigned char raisedG, unsigned char raisedB)
{
    const unsigned short raised =
        static_cast<unsigned short>(77 * raisedR + 150 * raisedG + 29 * raisedB);
    return raised > static_cast<unsigned short>(256 * spotContrast);
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
                const bool spot = IsSpot(static_cast<unsigned char>(cr[x] - r[x]), static_cast<unsigned char>(cg[x] - g[x]),
                                         static_cast<unsigned char>(cb[x] - b[x]));
                r[x] = spot ? cr[x] : r[x];
                g[x] = spot ? cg[x] : g[x];
                b[x] = spot ? cb[x] : b[x];
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
