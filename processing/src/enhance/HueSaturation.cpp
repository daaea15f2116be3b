#include "pixorama/workbench/ColourAdjustments.h"

#include <algorithm>
#include <cmath>

namespace {

// Hue h in 0..6 (one unit per sector: red, yellow, green, cyan, blue,
// magenta), saturation s and value v in 0..1.
struct Hsv {
    float h = 0.0f;
    float s = 0.0f;
    float v = 0.0f;
};

Hsv toHsv(float r, float g, float b)
{
    const float max = std::max({r, g, b});
    const float min = std::min({r, g, b});
    const float chroma = max - min;
    Hsv c{0.0f, max > 0.0f ? chroma / max : 0.0f, max};
    if (chroma <= 0.0f)
        return c;
    if (max == r)
        c.h = std::fmod((g - b) / chroma + 6.0f, 6.0f);
    else if (max == g)
        c.h = (b - r) / chroma + 2.0f;
    else
        c.h = (r - g) / chroma + 4.0f;
    return c;
}

void fromHsv(const Hsv& c, unsigned char& r, unsigned char& g, unsigned char& b)
{
    const int sector = std::clamp(static_cast<int>(c.h), 0, 5);
    const float f = c.h - float(sector);
    const float p = c.v * (1.0f - c.s);
    const float q = c.v * (1.0f - c.s * f);
    const float t = c.v * (1.0f - c.s * (1.0f - f));
    float rgb[3];
    switch (sector) {
    case 0: rgb[0] = c.v, rgb[1] = t, rgb[2] = p; break;
    case 1: rgb[0] = q, rgb[1] = c.v, rgb[2] = p; break;
    case 2: rgb[0] = p, rgb[1] = c.v, rgb[2] = t; break;
    case 3: rgb[0] = p, rgb[1] = q, rgb[2] = c.v; break;
    case 4: rgb[0] = t, rgb[1] = p, rgb[2] = c.v; break;
    default: rgb[0] = c.v, rgb[1] = p, rgb[2] = q; break;
    }
    const auto byte = [](float v) { return static_cast<unsigned char>(std::clamp(v * 255.0f + 0.5f, 0.0f, 255.0f)); };
    r = byte(rgb[0]);
    g = byte(rgb[1]);
    b = byte(rgb[2]);
}

float amountOf(float value)
{
    return std::clamp(value * 200.0f - 100.0f, -100.0f, 100.0f);
}

template <typename Change>
void eachPixel(Plane& r, Plane& g, Plane& b, Change change)
{
    const int w = std::min({r.width, g.width, b.width});
    const int h = std::min({r.height, g.height, b.height});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char& pr = r.rows[y][x];
            unsigned char& pg = g.rows[y][x];
            unsigned char& pb = b.rows[y][x];
            Hsv c = toHsv(pr / 255.0f, pg / 255.0f, pb / 255.0f);
            change(c);
            fromHsv(c, pr, pg, pb);
        }
}

} // namespace

void gAdjustSaturation(Plane& r, Plane& g, Plane& b, float value)
{
    const float factor = 1.0f + amountOf(value) / 100.0f;
    if (factor == 1.0f)
        return;
    eachPixel(r, g, b, [factor](Hsv& c) { c.s = std::clamp(c.s * factor, 0.0f, 1.0f); });
}

void gAdjustHue(Plane& r, Plane& g, Plane& b, float value)
{
    const float turn = amountOf(value) / 100.0f * 3.0f; // 3 sectors are 180 degrees
    if (turn == 0.0f)
        return;
    eachPixel(r, g, b, [turn](Hsv& c) { c.h = std::fmod(c.h + turn + 12.0f, 6.0f); });
}
