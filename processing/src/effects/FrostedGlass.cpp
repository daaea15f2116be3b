#include "pixorama/workbench/PhotoEffects.h"

#include "HotKernel.h"

#include "pixorama/common/MirrorIndex.h"
#include "pixorama/common/RowSplit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int reach = 4;                 // offsets run over -reach..reach
constexpr int lines = 8;                 // lines drawn side by side, one generator in each vector lane
constexpr int slots = lines + 2 * reach; // rows a block of lines reads from

using Lanes = std::uint64_t __attribute__((vector_size(8 * lines)));
using LaneBytes = unsigned char __attribute__((vector_size(lines)));

// xorshift64*: fast, and good enough for scattering pixels. The state
// starts from the splitmix64 finaliser of the seed, so that neighbouring
// seeds start far apart (never 0). Every line has its own generator, so
// the result does not depend on how the lines are split.
std::uint64_t RandomStart(std::uint64_t seed, int y)
{
    std::uint64_t z = seed ^ (std::uint64_t(y) * 0x9E3779B97F4A7C15ULL);
    z += 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return z ? z : 1;
}

// Draws one number per pixel for each of the lines; offsets[x * lines + i]
// gets (dy + reach) << 4 | (dx + reach) for pixel x of line i, the low 16
// bits of the draw scaled onto dx and the high 16 onto dy.
PIX_WB_HOT_WIDE
void DrawOffsets(std::uint64_t* generators, unsigned char* offsets, int w)
{
    Lanes state;
    std::memcpy(&state, generators, sizeof state);
    for (int x = 0; x < w; ++x) {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        const Lanes bits = (state * 0x2545F4914F6CDD1DULL) >> 32;
        const Lanes dx = ((bits & 0xFFFFULL) * std::uint64_t(2 * reach + 1)) >> 16;
        const Lanes dy = ((bits >> 16) * std::uint64_t(2 * reach + 1)) >> 16;
        const LaneBytes packed = __builtin_convertvector(dy << 4 | dx, LaneBytes);
        std::memcpy(offsets + std::size_t(x) * lines, &packed, sizeof packed);
    }
    std::memcpy(generators, &state, sizeof state);
}

// Pixels packed one to a word, red in the low byte: one load fetches all
// three planes of a scattered pixel.
PIX_WB_HOT
void PackRow(const unsigned char* __restrict r, const unsigned char* __restrict g, const unsigned char* __restrict b,
             std::uint32_t* __restrict to, int w)
{
    for (int x = 0; x < w; ++x)
        to[x] = std::uint32_t(r[x]) | std::uint32_t(g[x]) << 8 | std::uint32_t(b[x]) << 16;
}

PIX_WB_HOT
void UnpackRow(const std::uint32_t* __restrict from, unsigned char* __restrict r, unsigned char* __restrict g,
               unsigned char* __restrict b, int w)
{
    for (int x = 0; x < w; ++x) {
        r[x] = static_cast<unsigned char>(from[x]);
        g[x] = static_cast<unsigned char>(from[x] >> 8);
        b[x] = static_cast<unsigned char>(from[x] >> 16);
    }
}

// Line `line` of a block: pixel x takes the ring word at row offset
// rowAt[dy + reach] and column columns[x + dx + reach].
PIX_WB_HOT
void GatherLine(const std::uint32_t* __restrict ring, const std::ptrdiff_t* __restrict rowAt, const int* __restrict columns,
                const unsigned char* __restrict offsets, int line, int w, std::uint32_t* __restrict out)
{
    for (int x = 0; x < w; ++x) {
        const unsigned d = offsets[std::size_t(x) * lines + std::size_t(line)];
        out[x] = ring[rowAt[d >> 4] + columns[x + int(d & 15)]];
    }
}

// The picture's rows near the edges between bands, packed before any band
// writes: a band reads them from here, never from the planes another band
// is changing.
class BandEdges {
public:
    BandEdges(ColourPlanes planes, int threads) : at_(std::size_t(planes.Height()), -1)
    {
        const int w = planes.Width(), h = planes.Height();
        for (int i = 1; i < threads; ++i) {
            const int edge = RowSplit::range(i, threads, h).begin;
            for (int q = std::max(0, edge - reach); q < std::min(h, edge + reach); ++q) {
                if (at_[std::size_t(q)] >= 0 || edge == 0)
                    continue;
                at_[std::size_t(q)] = int(words_.size() / std::size_t(w));
                words_.resize(words_.size() + std::size_t(w));
                PackRow(planes.r.rows[q], planes.g.rows[q], planes.b.rows[q],
                        words_.data() + words_.size() - std::size_t(w), w);
            }
        }
    }

    // The packed row q, or null when no band edge is near it.
    const std::uint32_t* Row(int q, int w) const
    {
        const int i = at_[std::size_t(q)];
        return i < 0 ? nullptr : words_.data() + std::size_t(i) * std::size_t(w);
    }

private:
    std::vector<int> at_;
    std::vector<std::uint32_t> words_;
};

// One band of lines, written over the planes a block of `lines` lines at a
// time. The rows a block reads are packed into a ring of `slots` rows keyed
// by row index before the block writes any line.
class FrostedBand {
public:
    FrostedBand(ColourPlanes planes, const BandEdges& edges, std::uint64_t seed, int begin, int end)
        : planes_(planes), edges_(edges), seed_(seed), begin_(begin), end_(end), w_(planes.Width()),
          h_(planes.Height()), ring_(std::size_t(slots) * std::size_t(w_)), tags_(slots, -1),
          offsets_(std::size_t(w_) * lines), line_(std::size_t(w_)), columns_(std::size_t(w_ + 2 * reach))
    {
        for (int x = -reach; x < w_ + reach; ++x)
            columns_[std::size_t(x + reach)] = pixMirrorReflect(x, w_);
    }

    void Run()
    {
        for (int y0 = begin_; y0 < end_; y0 += lines)
            Block(y0, std::min(lines, end_ - y0));
    }

private:
    void Block(int y0, int count)
    {
        std::uint64_t generators[lines];
        for (int i = 0; i < lines; ++i)
            generators[i] = RandomStart(seed_, y0 + i); // lanes past the band draw unused numbers
        DrawOffsets(generators, offsets_.data(), w_);
        for (int q = std::max(0, y0 - reach); q < std::min(h_, y0 + count + reach); ++q)
            Load(q);
        for (int i = 0; i < count; ++i) {
            const int y = y0 + i;
            std::ptrdiff_t rowAt[2 * reach + 1];
            for (int dy = -reach; dy <= reach; ++dy)
                rowAt[dy + reach] = std::ptrdiff_t(pixMirrorReflect(y + dy, h_) % slots) * w_;
            GatherLine(ring_.data(), rowAt, columns_.data(), offsets_.data(), i, w_, line_.data());
            UnpackRow(line_.data(), planes_.r.rows[y], planes_.g.rows[y], planes_.b.rows[y], w_);
        }
    }

    // Row q into its ring slot, from the planes while this band has not
    // written it (rows of other bands come from their packed copies).
    void Load(int q)
    {
        const int slot = q % slots;
        if (tags_[std::size_t(slot)] == q)
            return;
        std::uint32_t* to = ring_.data() + std::size_t(slot) * std::size_t(w_);
        if (q >= begin_ && q < end_)
            PackRow(planes_.r.rows[q], planes_.g.rows[q], planes_.b.rows[q], to, w_);
        else
            std::memcpy(to, edges_.Row(q, w_), std::size_t(w_) * sizeof *to);
        tags_[std::size_t(slot)] = q;
    }

    ColourPlanes planes_;
    const BandEdges& edges_;
    std::uint64_t seed_;
    int begin_, end_, w_, h_;
    std::vector<std::uint32_t> ring_;
    std::vector<int> tags_;
    std::vector<unsigned char> offsets_;
    std::vector<std::uint32_t> line_;
    std::vector<int> columns_;
};

} // namespace

void EffectFrostedGlass(ColourPlanes planes, std::uint64_t seed)
{
    if (planes.Empty())
        return;
    const int h = planes.Height();
    const int threads = RowSplit::threadCount();
    const BandEdges edges(planes, threads);
    RowSplit::run(h, threads, [&](int begin, int end) { FrostedBand(planes, edges, seed, begin, end).Run(); });
}
