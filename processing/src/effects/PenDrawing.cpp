#include "pixorama/workbench/PhotoEffects.h"
#include "pixorama/workbench/WatershedCore.h"

#include "PixelLoops.h"

#include "pixorama/common/BitmapFile.h"
#include "pixorama/common/QEVUCDATA2D.h"

#include <vector>

namespace {

constexpr int inkGain = 3; // strokes darken three times as fast as the luminance changes

} // namespace

void EffectPenDrawing(ColourPlanes planes)
{
    QEVUCDATA2D grey;
    if (planes.Empty() || !QEVColorToGray(&planes.r, &planes.g, &planes.b, &grey))
        return;
    const int w = grey.width;
    const int h = grey.height;
    std::vector<unsigned char> high(std::size_t(w) * std::size_t(h)), low(high.size());
    DilateStep(grey.data, high.data(), w, h);
    ErodeStep(grey.data, low.data(), w, h);
    ForRowBands(h, high.size(), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const std::size_t at = std::size_t(y) * std::size_t(w);
            unsigned char* r = planes.r.rows[y];
            unsigned char* g = planes.g.rows[y];
            unsigned char* b = planes.b.rows[y];
            for (int x = 0; x < w; ++x) {
                const unsigned char paper = ClampByte(255 - inkGain * (high[at + x] - low[at + x]));
                r[x] = g[x] = b[x] = paper;
            }
        }
    });
}
