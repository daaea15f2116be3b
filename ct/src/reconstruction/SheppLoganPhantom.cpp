#include "pixorama/workbench/SheppLoganPhantom.h"

#include <cmath>
#include <numbers>

namespace {

constexpr float densityScale = 0.02f;

constexpr SheppLoganEllipsoid head[] = {
    {0, 0, 0, .69, .92, .90, 0, 1},          {0, -.0184, 0, .6624, .874, .88, 0, -.8},
    {.22, 0, 0, .11, .31, .22, -18, -.2},    {-.22, 0, 0, .16, .41, .28, 18, -.2},
    {0, .35, -.15, .21, .25, .41, 0, .1},    {0, .1, .25, .046, .046, .05, 0, .1},
    {0, -.1, .25, .046, .046, .05, 0, .1},   {-.08, -.605, 0, .046, .023, .05, 0, .1},
    {0, -.606, 0, .023, .023, .02, 0, .1},   {.06, -.605, 0, .023, .046, .02, 0, .1},
};

// flat: every ellipsoid reaches through all z (the 2-D phantom).
ClassData2DIO<float> render(int size, double z, bool flat)
{
    ClassData2DIO<float> out;
    out.SetDim(size, size);
    for (const SheppLoganEllipsoid& e : head) {
        const double dz = flat ? 0 : (z - e.z) / e.c;
        if (dz * dz >= 1)
            continue;
        const double a = e.phi * std::numbers::pi / 180, c = std::cos(a), s = std::sin(a);
        for (int r = 0; r < size; ++r) {
            const double y = (2.0 * r + 1) / size - 1 - e.y;
            for (int k = 0; k < size; ++k) {
                const double x = (2.0 * k + 1) / size - 1 - e.x;
                const double u = (c * x + s * y) / e.a, v = (-s * x + c * y) / e.b;
                if (u * u + v * v + dz * dz <= 1)
                    out.rows[r][k] += float(e.density) * densityScale;
            }
        }
    }
    return out;
}

} // namespace

std::span<const SheppLoganEllipsoid> SheppLoganHead()
{
    return head;
}

ClassData2DIO<float> SheppLoganSlice(int size)
{
    return render(size, 0, true);
}

std::vector<ClassData2DIO<float>> SheppLoganVolume(int size)
{
    std::vector<ClassData2DIO<float>> volume;
    for (int k = 0; k < size; ++k)
        volume.push_back(render(size, (2.0 * k + 1) / size - 1, false));
    return volume;
}
