#include "pixorama/workbench/PhotoEffects.h"

#include "PixelLoops.h"

#include "pixorama/common/MirrorIndex.h"

#include <vector>

namespace {

constexpr int reach = 4; // offsets run over -reach..reach

// xorshift64*: fast, and good enough for scattering pixels.
class FastRandom {
public:
    explicit FastRandom(std::uint64_t seed) : state(Mix(seed)) {}

    std::uint32_t Next()
    {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return std::uint32_t((state * 0x2545F4914F6CDD1DULL) >> 32);
    }

private:
    // splitmix64 finaliser, so that neighbouring seeds start far apart (never 0).
    static std::uint64_t Mix(std::uint64_t z)
    {
        z += 0x9E3779B97F4A7C15ULL;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        return z ? z : 1;
    }

    std::uint64_t state;
};

// A 16-bit random number scaled onto -reach..reach.
int Offset(std::uint32_t bits16)
{
    return int((bits16 * std::uint32_t(2 * reach + 1)) >> 16) - reach;
}

// Index i + reach of the table is the mirrored position of i, for i in -reach..n + reach - 1.
std::vector<int> MirroredPositions(int n)
{
    std::vector<int> table(std::size_t(n + 2 * reach));
    for (int i = -reach; i < n + reach; ++i)
        table[std::size_t(i + reach)] = pixMirrorReflect(i, n);
    return table;
}

} // namespace

void EffectFrostedGlass(ColourPlanes planes, std::uint64_t seed)
{
    if (planes.Empty())
        return;
    const int w = planes.Width();
    const int h = planes.Height();
    const ClassData2DIO<unsigned char> r(planes.r), g(planes.g), b(planes.b);
    const std::vector<int> xs = MirroredPositions(w);
    const std::vector<int> ys = MirroredPositions(h);
    ForRowBands(h, std::size_t(w) * std::size_t(h), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            // One generator per row, so the result does not depend on the split.
            FastRandom random(seed ^ (std::uint64_t(y) * 0x9E3779B97F4A7C15ULL));
            unsigned char* outR = planes.r.rows[y];
            unsigned char* outG = planes.g.rows[y];
            unsigned char* outB = planes.b.rows[y];
            for (int x = 0; x < w; ++x) {
                const std::uint32_t bits = random.Next();
                const int sx = xs[std::size_t(x + Offset(bits & 0xFFFF) + reach)];
                const int sy = ys[std::size_t(y + Offset(bits >> 16) + reach)];
                outR[x] = r.rows[sy][sx];
                outG[x] = g.rows[sy][sx];
                outB[x] = b.rows[sy][sx];
            }
        }
    });
}
