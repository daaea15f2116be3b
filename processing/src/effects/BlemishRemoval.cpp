#include "pixorama/workbench/PhotoEffects.h"
#include "pixorama/workbench/WatershedCore.h"

#include "PixelLoops.h"

#include <memory>

namespace {

constexpr int spotRadius = 2;    // a 5 x 5 closing fills spots up to five pixels across
constexpr int spotContrast = 10; // grey levels below the surroundings that make a spot

using Buffer = std::unique_ptr<unsigned char[]>;

Buffer PlaneSized(ColourPlanes planes)
{
    return Buffer(new unsigned char[std::size_t(planes.Width()) * std::size_t(planes.Height())]);
}

// The plane's closing (dilation into scratch, then erosion) into closed,
// which may be the plane's own pixels.
void Closing(const ClassData2DIO<unsigned char>& plane, unsigned char* scratch, unsigned char* closed)
{
    DilateSquare(plane.data, scratch, plane.width, plane.height, spotRadius);
    ErodeSquare(scratch, closed, plane.width, plane.height, spotRadius);
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
    const Buffer scratch = PlaneSized(planes);
    const Buffer closed[3] = {PlaneSized(planes), PlaneSized(planes), PlaneSized(planes)};
    Closing(planes.r, scratch.get(), closed[0].get());
    Closing(planes.g, scratch.get(), closed[1].get());
    Closing(planes.b, scratch.get(), closed[2].get());
    const int w = planes.Width();
    ForPlaneBands(planes, [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            unsigned char* __restrict r = planes.r.rows[y];
            unsigned char* __restrict g = planes.g.rows[y];
            unsigned char* __restrict b = planes.b.rows[y];
            const std::size_t at = std::size_t(y) * std::size_t(w);
            const unsigned char* __restrict cr = closed[0].get() + at;
            const unsigned char* __restrict cg = closed[1].get() + at;
            const unsigned char* __restrict cb = closed[2].get() + at;
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
    const Buffer scratch = PlaneSized(planes);
    for (ClassData2DIO<unsigned char>* plane : {&planes.r, &planes.g, &planes.b})
        Closing(*plane, scratch.get(), plane->data);
}
