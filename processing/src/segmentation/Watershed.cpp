#include "pixorama/workbench/WatershedCore.h"

#include "SegmentationBuffer.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {

// The flooding as arrows: every pixel points to the neighbour whose label it
// takes, so the labels come from short walks between neighbours instead of
// 256 passes scattered over the whole picture.
//
// A pixel with a lower neighbour takes its lowest lower neighbour's label.
// A pixel without one lies on a plateau (the 4-connected pixels of its value):
// if the plateau holds pixels with lower neighbours, the flood spreads breadth
// first from them in raster order, and each pixel takes the label of the one
// it was reached from; otherwise the plateau is a minimum, and minima are
// numbered by value, then by their first pixel in raster order. That is the
// immersion level by level, as the header states it, taken one plateau at a
// time: floods on separate plateaus never meet.
//
// The three steps (arrows, plateaus, walks) go down the picture together, each
// only as far ahead as the one after it needs, so the rows a plateau or a walk
// reaches were written a moment before and are still in the cache, whatever
// the picture's size. Walks leave each minimum's index; the basin numbers
// replace them once every minimum is known.
class Flooding {
public:
    Flooding(const unsigned char* picture, int w, int h)
        : w(w), h(h), stride(w + 2), framed(MakeNewGradient(picture, w, h)),
          arrows(ReservedSegmentationBuffer<unsigned char>(framed.size(), "GenericWatershed")),
          labels(ReservedSegmentationBuffer<int>(std::size_t(w) * std::size_t(h), "GenericWatershed"))
    {
        offsets[0] = 1;
        offsets[1] = stride;
        offsets[2] = -1;
        offsets[3] = -stride;
    }

    std::vector<int> Run()
    {
        PointDownhillThrough(0);
        for (int y = 1; y <= h; ++y) {
            FloodPlateausThrough(y);
            WalkRow(y);
        }
        NumberBasins();
        return std::move(labels);
    }

private:
    // Arrow codes: 0-3 index offsets (right, below, left, above); `seen` marks
    // pixels a plateau's flood has taken in, and the frame.
    static constexpr unsigned char minimum = 4;
    static constexpr unsigned char plateau = 5;
    static constexpr unsigned char seen = 0x80;
    static constexpr unsigned char direction = 7;

    std::size_t Framed(int x, int y) const { return std::size_t(y) * std::size_t(stride) + std::size_t(x); }
    int RowOf(std::size_t p) const { return int(p / std::size_t(stride)); }

    std::size_t Unframed(std::size_t p) const
    {
        const std::size_t y = p / std::size_t(stride);
        return (y - 1) * std::size_t(w) + (p - y * std::size_t(stride) - 1);
    }

    // Arrows for the framed rows up to last: each pixel's first lowest lower
    // neighbour in the order right, below, left, above, or `plateau`. The
    // frame is marked as already seen.
    void PointDownhillThrough(int last)
    {
        for (int y = int(arrows.size() / std::size_t(stride)); y <= std::min(last, h + 1); ++y) {
            arrows.resize(Framed(0, y + 1));
            unsigned char* out = arrows.data() + Framed(0, y);
            if (y == 0 || y == h + 1) {
                std::memset(out, seen | minimum, std::size_t(stride));
                continue;
            }
            const unsigned char* row = framed.data() + Framed(0, y);
            const unsigned char* above = row - stride;
            const unsigned char* below = row + stride;
            out[0] = out[w + 1] = seen | minimum;
            for (int x = 1; x <= w; ++x) {
                unsigned char best = plateau;
                unsigned char low = row[x];
                const unsigned char around[4] = {row[x + 1], below[x], row[x - 1], above[x]};
                for (unsigned char k = 0; k < 4; ++k)
                    if (around[k] < low) {
                        low = around[k];
                        best = k;
                    }
                out[x] = best;
            }
        }
    }

    // Floods every plateau whose first pixel lies in a row up to last.
    void FloodPlateausThrough(int last)
    {
        for (; flooded <= last; ++flooded) {
            PointDownhillThrough(flooded + 1);
            for (int x = 1; x <= w; ++x)
                if (arrows[Framed(x, flooded)] == plateau)
                    FloodPlateau(Framed(x, flooded));
        }
    }

    // Labels up to and including unframed position u, zero until written.
    void LabelsThrough(std::size_t u)
    {
        if (u >= labels.size())
            labels.resize((u / std::size_t(w) + 1) * std::size_t(w));
    }

    // Gathers the plateau around start, whose first pixel in raster order it
    // is, then floods it from its pixels with lower neighbours, or records a
    // minimum.
    void FloodPlateau(std::size_t start)
    {
        const unsigned char f = framed[start];
        members.clear();
        seeds.clear();
        members.push_back(start);
        arrows[start] = seen | plateau;
        for (std::size_t i = 0; i < members.size(); ++i) {
            if (members[i] + std::size_t(stride) >= arrows.size())
                PointDownhillThrough(RowOf(members[i]) + 1);
            for (const int d : offsets) {
                const std::size_t r = std::size_t(std::ptrdiff_t(members[i]) + d);
                if (framed[r] != f || (arrows[r] & seen))
                    continue;
                if (arrows[r] != plateau)
                    seeds.push_back(r);
                arrows[r] |= seen;
                members.push_back(r);
            }
        }
        if (seeds.empty()) {
            minima.push_back(f);
            const int id = int(minima.size());
            LabelsThrough(Unframed(*std::max_element(members.begin(), members.end())));
            for (const std::size_t q : members) {
                arrows[q] = seen | minimum;
                labels[Unframed(q)] = id;
            }
            return;
        }
        std::sort(seeds.begin(), seeds.end());
        Spread();
    }

    // Breadth first from the seeds in raster order over the plateau's pixels
    // without lower neighbours; each points back to the one it was reached from.
    void Spread()
    {
        for (std::size_t i = 0; i < seeds.size(); ++i)
            for (unsigned char k = 0; k < 4; ++k) {
                const std::size_t r = std::size_t(std::ptrdiff_t(seeds[i]) + offsets[k]);
                if (arrows[r] == (seen | plateau)) {
                    arrows[r] = seen | ((k + 2) & 3);
                    seeds.push_back(r);
                }
            }
    }

    // Each unlabelled pixel of row y walks its arrows to a labelled one, then
    // the walk takes that label. Rows a walk reaches are flooded first.
    void WalkRow(int y)
    {
        const std::ptrdiff_t step[4] = {1, w, -1, -w};
        std::size_t u = std::size_t(y - 1) * std::size_t(w);
        LabelsThrough(u + std::size_t(w) - 1);
        for (int x = 1; x <= w; ++x, ++u) {
            if (labels[u] != 0)
                continue;
            std::size_t p = Framed(x, y);
            std::size_t v = u;
            walk.clear();
            while (labels[v] == 0) {
                walk.push_back(v);
                const unsigned char k = arrows[p] & direction;
                p = std::size_t(std::ptrdiff_t(p) + offsets[k]);
                v = std::size_t(std::ptrdiff_t(v) + step[k]);
                if (p >= Framed(0, flooded))
                    FloodPlateausThrough(RowOf(p));
                LabelsThrough(v);
            }
            const int label = labels[v];
            for (const std::size_t q : walk)
                labels[q] = label;
        }
    }

    // Basin numbers by value, then in the order the minima were met, in place
    // of each minimum's index.
    void NumberBasins()
    {
        std::size_t first[257] = {};
        for (const unsigned char value : minima)
            ++first[value + 1];
        for (std::size_t k = 1; k < 257; ++k)
            first[k] += first[k - 1];
        std::vector<int> basinOf(minima.size() + 1);
        for (std::size_t i = 0; i < minima.size(); ++i)
            basinOf[i + 1] = int(++first[minima[i]]);
        for (int& label : labels)
            label = basinOf[std::size_t(label)];
    }

    int w, h, stride;
    std::vector<unsigned char> framed;
    // Filled row by row: rows below the last filled one are not there yet.
    std::vector<unsigned char> arrows;
    std::vector<int> labels;
    std::ptrdiff_t offsets[4];
    // Plateaus starting in rows above this one are flooded.
    int flooded = 1;
    std::vector<std::size_t> members;
    std::vector<std::size_t> seeds;
    // The value of each minimum, in the order met.
    std::vector<unsigned char> minima;
    std::vector<std::size_t> walk;
};

} // namespace

std::vector<unsigned char> MakeNewGradient(const unsigned char* picture, int w, int h)
{
    const int stride = w + 2;
    auto framed = ReservedSegmentationBuffer<unsigned char>(std::size_t(stride) * std::size_t(h + 2), "MakeNewGradient");
    // Each byte written once: the frame's top row and left edge, then every
    // row followed by the right edge and the next row's left edge.
    framed.insert(framed.end(), std::size_t(stride) + 1, 255);
    for (int y = 0; y < h; ++y) {
        const unsigned char* row = picture + std::size_t(y) * std::size_t(w);
        framed.insert(framed.end(), row, row + w);
        framed.insert(framed.end(), 2, 255);
    }
    framed.insert(framed.end(), std::size_t(stride) - 1, 255);
    return framed;
}

std::vector<int> CountingSort(const unsigned char* framed, int w, int h, std::size_t* levelStarts)
{
    const int stride = w + 2;
    auto order = SegmentationBuffer<int>(std::size_t(w) * std::size_t(h), "CountingSort");
    std::size_t first[256] = {};
    for (int y = 1; y <= h; ++y) {
        const unsigned char* row = framed + std::size_t(y) * std::size_t(stride);
        for (int x = 1; x <= w; ++x)
            ++first[row[x]];
    }
    std::size_t start = 0;
    for (std::size_t k = 0; k < 256; ++k) {
        const std::size_t count = first[k];
        first[k] = start;
        if (levelStarts != nullptr)
            levelStarts[k] = start;
        start += count;
    }
    if (levelStarts != nullptr)
        levelStarts[256] = start;
    for (int y = 1; y <= h; ++y) {
        const unsigned char* row = framed + std::size_t(y) * std::size_t(stride);
        const int base = y * stride;
        for (int x = 1; x <= w; ++x)
            order[first[row[x]]++] = base + x;
    }
    return order;
}

std::vector<int> GenericWatershed(const unsigned char* picture, int w, int h)
{
    if (w <= 0 || h <= 0)
        return {};
    // Framed positions are ints: a picture whose frame cannot be indexed cannot be flooded.
    if (std::size_t(w + 2ULL) * std::size_t(h + 2ULL) > std::size_t(std::numeric_limits<int>::max()))
        throw SegmentationError("GenericWatershed => cannot allocate memory");
    try {
        return Flooding(picture, w, h).Run();
    } catch (const std::bad_alloc&) {
        throw SegmentationError("GenericWatershed => cannot allocate memory");
    }
}
