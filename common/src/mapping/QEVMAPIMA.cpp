#include "pixorama/common/QEVMAPIMA.h"

#include <algorithm>
#include <cstdint>

struct QEVMAPIMA::Tables {
    ClassData2DIOGeneral<int> us;
    ClassData2DIOGeneral<int> uc;
    ClassData2DIOGeneral<tagStructRGBA> color;
};

namespace {

constexpr int usEntries = 65536;
constexpr int ucEntries = 256;

// Entries a table really has, at most wanted: a table resized by a caller is
// never written past its end.
int entries(const ClassData2DIOGeneral<int>* t, int wanted)
{
    if (!t || !t->data || t->width <= 0 || t->height <= 0)
        return 0;
    return int(std::min<std::int64_t>(std::int64_t(t->width) * t->height, wanted));
}

int entries(const ClassData2DIOGeneral<tagStructRGBA>* t)
{
    if (!t || !t->data || t->width <= 0 || t->height <= 0)
        return 0;
    return int(std::min<std::int64_t>(std::int64_t(t->width) * t->height, usEntries));
}

// The three ranges of a window over table indices 0..n-1: [0, a) at or below
// lo, [a, b) strictly inside, [b, n) from hi on (or above lo when lo >= hi).
struct Split {
    int a;
    int b;
};

Split split(std::int64_t lo, std::int64_t hi, int n)
{
    const std::int64_t a = std::clamp<std::int64_t>(lo + 1, 0, n);
    const std::int64_t b = std::clamp<std::int64_t>(std::max(hi, lo + 1), 0, n);
    return {int(a), int(b)};
}

// out[v] = 0 for v <= lo, 255 for v >= hi, else trunc((v - lo) * 255.0 / (hi - lo))
// with both differences taken as float and the rest in double.
void fillRamp(int* out, int n, std::int64_t lo, std::int64_t hi)
{
    const Split s = split(lo, hi, n);
    std::fill(out, out + s.a, 0);
    const double span = float(hi - lo);
    for (int v = s.a; v < s.b; ++v)
        out[v] = int(double(float(v - lo)) * 255.0 / span); // within 0..255
    std::fill(out + s.b, out + n, 255);
}

} // namespace

QEVMAPIMA::QEVMAPIMA() : tables(std::make_shared<Tables>())
{
    tables->us.SetDim(usEntries, 1);
    tables->uc.SetDim(ucEntries, 1);
    tables->color.SetDim(usEntries, 1);
    usMap = &tables->us;
    ucMap = &tables->uc;
    colorMap = &tables->color;
}

QEVMAPIMA::QEVMAPIMA(const QEVMAPIMA& other) = default;
QEVMAPIMA& QEVMAPIMA::operator=(const QEVMAPIMA& other) = default;
QEVMAPIMA::~QEVMAPIMA() = default;

void QEVMAPIMA::SetRange(int lo, int hi)
{
    if (!(lo < hi))
        return;
    high = std::min(hi, 65535);
    low = std::max(lo, 0);
    GetMapUs();
}

void QEVMAPIMA::GetMapUs()
{
    const int n = entries(usMap, usEntries);
    if (n > 0)
        fillRamp(usMap->data, n, low, high);
}

void QEVMAPIMA::GetMapUc(float a, float b)
{
    const int n = entries(ucMap, ucEntries);
    if (n > 0)
        fillRamp(ucMap->data, n, pixTruncToInt(a * 255.0), pixTruncToInt(b * 255.0));
}

void QEVMAPIMA::SetUsColorRange(int lo, int hi, tagStructRGBA c0, tagStructRGBA c1)
{
    low = lo;
    high = hi;
    const int n = entries(colorMap);
    if (n == 0)
        return;
    tagStructRGBA* out = colorMap->data;
    const Split s = split(lo, hi, n);
    std::fill(out, out + s.a, c0);
    std::fill(out + s.b, out + n, c1);
    if (s.a >= s.b)
        return;

    const float span = float(std::int64_t(hi) - lo);
    const float sr = float(c1.red - c0.red) / span;
    const float sg = float(c1.green - c0.green) / span;
    const float sb = float(c1.blue - c0.blue) / span;
    const float r0 = c0.red;
    const float g0 = c0.green;
    const float b0 = c0.blue;
    for (int v = s.a; v < s.b; ++v) {
        const float d = float(std::int64_t(v) - lo);
        // Inside the window every channel lies between c0 and c1, so the
        // conversions cannot overflow.
        out[v].red = static_cast<unsigned char>(int(d * sr + r0));
        out[v].green = static_cast<unsigned char>(int(d * sg + g0));
        out[v].blue = static_cast<unsigned char>(int(d * sb + b0));
    }
}
