#include "pixorama/workbench/PhotoEffects.h"

#include "PixelLoops.h"
#include "PlaneGrey.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

struct CrossTables {
    unsigned char red[256];
    unsigned char green[256];
    unsigned char blue[256];

    CrossTables()
    {
        for (int i = 0; i < 256; ++i) {
            const double a = i < 128 ? i : 256 - i;
            red[i] = ClampByte(i < 128 ? a * a * a / 16384.0 : 256.0 - a * a * a / 16384.0);
            green[i] = ClampByte(i < 128 ? a * a / 128.0 : 256.0 - a * a / 128.0);
            blue[i] = ClampByte(i / 2 + 37);
        }
    }
};

// 255 - ((255 - v * c / 256) * (255 - v) >> 8). Every product stays below
// 2^16, so the line runs on 16-bit lanes.
unsigned char Lift(std::uint16_t v, std::uint16_t c)
{
    const std::uint16_t scaled = static_cast<std::uint16_t>(std::uint16_t(v * c) >> 8);
    return static_cast<unsigned char>(255 - (std::uint16_t((255 - scaled) * (255 - v)) >> 8));
}

unsigned char Frozen(int v)
{
    return static_cast<unsigned char>(std::min(std::abs(v * 3 / 2), 255));
}

} // namespace

void EffectNegative(ColourPlanes planes)
{
    ForEachPlaneRow(planes, [](unsigned char* row, int w) {
        for (int x = 0; x < w; ++x)
            row[x] = static_cast<unsigned char>(255 - row[x]);
    });
}

void EffectGrey(ColourPlanes planes)
{
    const QEVUCDATA2D grey = GreyOfPlanes(planes);
    ForPlaneBands(planes, [&](int begin, int end) {
        for (ClassData2DIO<unsigned char>* plane : {&planes.r, &planes.g, &planes.b})
            for (int y = begin; y < end; ++y)
                std::memcpy(plane->rows[y], grey.rows[y], std::size_t(grey.width));
    });
}

void EffectCrossProcess(ColourPlanes planes)
{
    static const CrossTables tables;
    ForEachPixel(planes, [](unsigned char& r, unsigned char& g, unsigned char& b) {
        r = tables.red[r];
        g = tables.green[g];
        b = tables.blue[b];
    });
}

void EffectSepia(ColourPlanes planes)
{
    ForEachPixel(planes, [](unsigned char& r, unsigned char& g, unsigned char& b) {
        const double R = r, G = g, B = b;
        r = ClampByte(0.393 * R + 0.769 * G + 0.189 * B);
        g = ClampByte(0.349 * R + 0.686 * G + 0.168 * B);
        b = ClampByte(0.272 * R + 0.534 * G + 0.131 * B);
    });
}

void EffectDarkLift(ColourPlanes planes)
{
    ForEachPixel(planes, [](unsigned char& r, unsigned char& g, unsigned char& b) {
        const std::uint16_t c = static_cast<std::uint16_t>(255 - g);
        b = Lift(b, c);
        g = Lift(g, c);
        r = Lift(r, c);
    });
}

void EffectFreeze(ColourPlanes planes)
{
    ForEachPixel(planes, [](unsigned char& r, unsigned char& g, unsigned char& b) {
        r = Frozen(int(r) - b - g);
        g = Frozen(int(g) - r - b);
        b = Frozen(int(b) - g - r);
    });
}

void EffectColourMatrix(ColourPlanes planes, const float (&m)[5][5])
{
    // The coefficients as values: the loop writes bytes, which could alias the matrix.
    float k[3][4];
    for (int i = 0; i < 3; ++i)
        k[i][0] = m[i][0], k[i][1] = m[i][1], k[i][2] = m[i][2], k[i][3] = m[i][4] * 255.0f;
    ForEachPixel(planes, [k](unsigned char& r, unsigned char& g, unsigned char& b) {
        const float R = r, G = g, B = b;
        auto row = [&](int i) {
            float v = k[i][0] * R + k[i][1] * G + k[i][2] * B + k[i][3];
            v = v > 0.0f ? v : 0.0f; // truncated to 0..255; not-a-number gives 0
            v = v < 255.0f ? v : 255.0f;
            return static_cast<unsigned char>(static_cast<int>(v));
        };
        const unsigned char nr = row(0), ng = row(1), nb = row(2);
        r = nr;
        g = ng;
        b = nb;
    });
}
