#include "pixorama/workbench/PhotoEffects.h"

#include "PixelLoops.h"
#include "ScratchBytes.h"

#include "pixorama/common/MirrorIndex.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int reach = 4; // offsets run over -reach..reach

// xorshift64*: fast, and good enough for scattering pixels. The state
// starts from the splitmix64 finaliser of the seed, so that neighbouring
// seeds start far apart (never 0).
std::uint64_t RandomStart(std::uint64_t z)
{
    z += 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return z ? z : 1;
}

std::uint32_t NextRandom(std::uint64_t& state)
{
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return std::uint32_t((state * 0x2545F4914F6CDD1DULL) >> 32);
}

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

// Lines whose generators run side by side: each step of one generator
// waits on the step before, so one line alone leaves the processor idle.
constexpr int interleaved = 4;

struct Scatter {
    const unsigned char* r; // the picture before the effect, rows one after another
    const unsigned char* g;
    const unsigned char* b;
    std::vector<int> xs;              // mirrored columns
    std::vector<std::uint32_t> rowStarts; // mirrored rows, as offsets into a plane
    std::uint64_t seed;
    int w;
};

// One line of out from the source pixels at index[x]. The pixels gather in
// a local run first: stored straight into the planes, whose rows lie at the
// same page offsets as the rows read, they would stall the reads behind them.
void GatherRow(const Scatter& s, const std::uint32_t* __restrict index, ColourPlanes out, int y)
{
    PixelRun run;
    for (int x0 = 0; x0 < s.w; x0 += PixelRun::size) {
        const int n = std::min(PixelRun::size, s.w - x0);
        for (int i = 0; i < n; ++i) {
            const std::uint32_t at = index[x0 + i];
            run.r[i] = s.r[at];
            run.g[i] = s.g[at];
            run.b[i] = s.b[at];
        }
        run.Store(out, y, x0, n);
    }
}

// Lines y0 .. y0 + Lines - 1; index holds Lines lines of positions.
template <int Lines>
void ScatterLines(const Scatter& s, ColourPlanes out, int y0, std::uint32_t* index)
{
    std::uint64_t state[Lines];
    for (int i = 0; i < Lines; ++i) // one generator per line, so the result does not depend on the split
        state[i] = RandomStart(s.seed ^ (std::uint64_t(y0 + i) * 0x9E3779B97F4A7C15ULL));
    const int w = s.w;
    const int* xs = s.xs.data() + reach;
    const std::uint32_t* rowStarts = s.rowStarts.data() + reach;
    for (int x = 0; x < w; ++x)
        for (int i = 0; i < Lines; ++i) {
            const std::uint32_t bits = NextRandom(state[i]);
            const int sx = xs[x + Offset(bits & 0xFFFF)];
            const std::uint32_t rowStart = rowStarts[y0 + i + Offset(bits >> 16)];
            index[std::size_t(i) * std::size_t(w) + std::size_t(x)] = rowStart + std::uint32_t(sx);
        }
    for (int i = 0; i < Lines; ++i)
        GatherRow(s, index + std::size_t(i) * std::size_t(w), out, y0 + i);
}

} // namespace

void EffectFrostedGlass(ColourPlanes planes, std::uint64_t seed)
{
    if (planes.Empty())
        return;
    const int w = planes.Width();
    const int h = planes.Height();
    const std::size_t size = std::size_t(w) * std::size_t(h);
    const ScratchBytes r(size), g(size), b(size);
    CopyPlane(planes.r, r.get());
    CopyPlane(planes.g, g.get());
    CopyPlane(planes.b, b.get());
    // Planes hold fewer than 2^31 pixels (SetDim refuses more): offsets fit 32 bits.
    std::vector<std::uint32_t> rowStarts;
    for (int y : MirroredPositions(h))
        rowStarts.push_back(std::uint32_t(y) * std::uint32_t(w));
    const Scatter scatter{r.get(), g.get(), b.get(), MirroredPositions(w), rowStarts, seed, w};
    ForRowBands(h, std::size_t(w) * std::size_t(h), [&](int begin, int end) {
        std::vector<std::uint32_t> index(std::size_t(interleaved) * std::size_t(w));
        int y = begin;
        for (; y + interleaved <= end; y += interleaved)
            ScatterLines<interleaved>(scatter, planes, y, index.data());
        for (; y < end; ++y)
            ScatterLines<1>(scatter, planes, y, index.data());
    });
}
