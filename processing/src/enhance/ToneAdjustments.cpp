#include "pixorama/workbench/ColourAdjustments.h"

#include <algorithm>
#include <array>

void gAdjustThreshold(const Plane& grey, float value, Plane& r, Plane& g, Plane& b)
{
    const int t = static_cast<int>(value * 255.0f);
    const int w = std::min({grey.width, r.width, g.width, b.width});
    const int h = std::min({grey.height, r.height, g.height, b.height});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned char v = grey.rows[y][x] > t ? 255 : 0;
            r.rows[y][x] = g.rows[y][x] = b.rows[y][x] = v;
        }
}

void gAdjustTone(const Plane& source, float low, float high, int lowLevel, int highLevel, Plane& result)
{
    const float a = low * 255.0f;
    const float b = high * 255.0f;
    std::array<unsigned char, 256> table{};
    for (int v = 0; v < 256; ++v) {
        float out;
        if (v <= a)
            out = float(lowLevel);
        else if (v >= b)
            out = float(highLevel);
        else
            out = float(lowLevel) + (float(v) - a) * float(highLevel - lowLevel) / (b - a);
        table[std::size_t(v)] = static_cast<unsigned char>(std::clamp(out, 0.0f, 255.0f));
    }
    const int w = std::min(source.width, result.width);
    const int h = std::min(source.height, result.height);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            result.rows[y][x] = table[source.rows[y][x]];
}
