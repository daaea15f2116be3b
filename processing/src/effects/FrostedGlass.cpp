#include "pixorama/workbench/PhotoEffects.h"

#include "HotKernel.h"

#include "pixorama/common/MirrorIndex.h"
#include "pixorama/common/RowSplit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

namespace {

constexpr int reach = 4;   // offsets run over -reach..reach
constexpr int lines = 8;   // lines drawn side by side, one generator in each vector lane
constexpr int slots = 16;  // ring rows, a power of two: every row a block of lines reads
static_assert(lines + 2 * reach <= slots && (slots & (slots - 1)) == 0);

// The generators run in two halves of four lanes, so that the AVX2 build
// keeps them in registers.
using HalfLanes = std::uint64_t __attribute__((vector_size(4 * lines)));
using HalfWords = std::uint32_t __attribute__((vector_size(2 * lines)));
using LaneWords = std::uint32_t __attribute__((vector_size(4 * lines)));
static_assert(lines == 8);

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

// Draws one number per pixel for each line y0 + i of a block and turns it
// into the ring index of the pixel it takes: the low 16 bits of the draw
// scaled onto dx, the high 16 onto dy. Ring row (y + dy) mod slots holds
// picture row y + dy, mirrored, with reach mirrored columns on each side.
// index[x * lines + i] is the index for pixel x of line i.
// xorshift64* steps of four generators; the high halves of their products.
[[gnu::always_inline]] inline HalfWords NextRandom(HalfLanes& state)
{
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return __builtin_convertvector((state * 0x2545F4914F6CDD1DULL) >> 32, HalfWords);
}

PIX_WB_HOT_WIDE
void DrawIndices(const std::uint64_t* generators, std::uint32_t y0, std::uint32_t* index, int w, std::uint32_t stride)
{
    HalfLanes low, high;
    std::memcpy(&low, generators, sizeof low);
    std::memcpy(&high, generators + lines / 2, sizeof high);
    LaneWords key, column;
    for (int i = 0; i < lines; ++i) {
        key[i] = y0 + std::uint32_t(i + slots - reach); // + dy + reach lands on ring row y + dy
        column[i] = 0;
    }
    const std::uint32_t span = 2 * reach + 1;
    for (int x = 0; x < w; ++x) {
        const LaneWords bits = __builtin_shufflevector(NextRandom(low), NextRandom(high), 0, 1, 2, 3, 4, 5, 6, 7);
        const LaneWords dx = ((bits & 0xFFFFu) * span) >> 16; // dx + reach
        const LaneWords dy = ((bits >> 16) * span) >> 16;     // dy + reach
        const LaneWords at = ((key + dy) & std::uint32_t(slots - 1)) * stride + column + dx;
        std::memcpy(index + std::size_t(x) * lines, &at, sizeof at);
        column += 1u;
    }
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

// The first count lines of a block from the ring, line i at out + i * stride.
PIX_WB_HOT
void GatherLines(const std::uint32_t* __restrict ring, const std::uint32_t* __restrict index, int count, int w,
                 std::uint32_t* __restrict out, std::size_t stride)
{
    for (int x = 0; x < w; ++x)
        for (int i = 0; i < count; ++i)
            out[std::size_t(i) * stride + std::size_t(x)] = ring[index[std::size_t(x) * lines + std::size_t(i)]];
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
            if (edge == 0)
                continue; // an empty band
            for (int q = std::max(0, edge - reach); q < std::min(h, edge + reach); ++q) {
                if (at_[std::size_t(q)] >= 0)
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
// time. The rows a block reads are packed into a ring before the block
// writes any line.
class FrostedBand {
public:
    FrostedBand(ColourPlanes planes, const BandEdges& edges, std::uint64_t seed, int begin, int end)
        : planes_(planes), edges_(edges), seed_(seed), begin_(begin), end_(end), w_(planes.Width()),
          h_(planes.Height()), stride_(w_ + 2 * reach), ring_(std::size_t(slots) * std::size_t(stride_)),
          tags_(slots, std::numeric_limits<int>::min()), index_(std::size_t(w_) * lines),
          outStride_(std::size_t(w_) + 16), out_(outStride_ * lines)
    {
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
        DrawIndices(generators, std::uint32_t(y0), index_.data(), w_, std::uint32_t(stride_));
        // Rows inside the picture first: rows beyond its edges copy their mirror images from the ring.
        const int first = y0 - reach, last = y0 + count + reach; // one past
        for (int q = std::max(0, first); q < std::min(h_, last); ++q)
            Load(q);
        for (int q = first; q < last; ++q)
            if (q < 0 || q >= h_)
                Load(q);
        GatherLines(ring_.data(), index_.data(), count, w_, out_.data(), outStride_);
        for (int i = 0; i < count; ++i) {
            const int y = y0 + i;
            UnpackRow(out_.data() + std::size_t(i) * outStride_, planes_.r.rows[y], planes_.g.rows[y],
                      planes_.b.rows[y], w_);
        }
    }

    std::uint32_t* Slot(int q) { return ring_.data() + std::size_t(q & (slots - 1)) * std::size_t(stride_); }

    // Row q into its ring row with its mirrored columns: from the planes
    // while this band has not written it, from the packed copies for rows
    // of other bands, from the ring for rows beyond the picture.
    void Load(int q)
    {
        int& tag = tags_[std::size_t(q & (slots - 1))];
        if (tag == q)
            return;
        tag = q;
        std::uint32_t* to = Slot(q);
        if (q < 0 || q >= h_) {
            std::memcpy(to, Slot(pixMirrorReflect(q, h_)), std::size_t(stride_) * sizeof *to);
            return;
        }
        std::uint32_t* row = to + reach;
        if (q >= begin_ && q < end_)
            PackRow(planes_.r.rows[q], planes_.g.rows[q], planes_.b.rows[q], row, w_);
        else
            std::memcpy(row, edges_.Row(q, w_), std::size_t(w_) * sizeof *row);
        for (int i = 1; i <= reach; ++i) {
            to[reach - i] = row[pixMirrorReflect(-i, w_)];
            to[reach + w_ - 1 + i] = row[pixMirrorReflect(w_ - 1 + i, w_)];
        }
    }

    ColourPlanes planes_;
    const BandEdges& edges_;
    std::uint64_t seed_;
    int begin_, end_, w_, h_, stride_;
    std::vector<std::uint32_t> ring_;
    std::vector<int> tags_;
    std::vector<std::uint32_t> index_;
    // Lines a little more than the width apart: lines a multiple of 4 KB
    // apart would stall each store behind the one to the line before.
    std::size_t outStride_;
    std::vector<std::uint32_t> out_;
};

} // namespace

void EffectFrostedGlass(ColourPlanes planes, std::uint64_t seed)
{
    if (planes.Empty())
        return;
    const int h = planes.Height();
    if (std::size_t(slots) * (std::size_t(planes.Width()) + 2 * reach) > std::numeric_limits<std::uint32_t>::max())
        throw std::bad_alloc(); // ring indices are 32 bits; such a ring would not fit in memory either
    const int threads = RowSplit::threadCount();
    const BandEdges edges(planes, threads);
    RowSplit::run(h, threads, [&](int begin, int end) { FrostedBand(planes, edges, seed, begin, end).Run(); });
}
