#include "pixorama/workbench/PhotoEffects.h"
#include "pixorama/workbench/WatershedCore.h"

#include "PixelLoops.h"
#include "PlaneGrey.h"
#include "ScratchBytes.h"

#include <cstring>

namespace {

constexpr int inkGain = 3;   // strokes darken three times as fast as the luminance changes
constexpr int grainLevel = 8; // changes up to this are film grain or noise: no ink

// Ink of one line from its dilation hi and erosion lo.
void InkRow(const unsigned char* __restrict hi, const unsigned char* __restrict lo, unsigned char* __restrict paper,
            int w)
{
    for (int x = 0; x < w; ++x) {
        const int change = hi[x] - lo[x] - grainLevel;
        const int ink = change > 0 ? inkGain * change : 0;
        paper[x] = static_cast<unsigned char>(ink > 255 ? 0 : 255 - ink);
    }
}

} // namespace

void EffectPenDrawing(ColourPlanes planes)
{
    if (planes.Empty())
        return;
    const int w = planes.Width();
    const int h = planes.Height();
    const std::size_t n = std::size_t(w) * std::size_t(h);
    const ScratchBytes grey(n);
    GreyOfPlanes(planes, grey.get());
    ForSquareExtremes(grey.get(), w, h, 1, [&](int y, const unsigned char* high, const unsigned char* low) {
        InkRow(high, low, planes.r.rows[y], w);
        std::memcpy(planes.g.rows[y], planes.r.rows[y], std::size_t(w));
        std::memcpy(planes.b.rows[y], planes.r.rows[y], std::size_t(w));
    });
}
