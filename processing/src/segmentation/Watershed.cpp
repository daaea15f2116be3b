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
class Flooding {
public:
    Flooding(const unsigned char* picture, int w, int h)
        : w(w), h(h), stride(w + 2), framed(MakeNewGradient(picture, w, h)),
          arrows(SegmentationBuffer<unsigned char>(framed.size(), "GenericWatershed")),
          labels(SegmentationBuffer<int>(std::size_t(w) * std::size_t(h), "GenericWatershed"))
    {
        offsets[0] = 1;
        offsets[1] = stride;
        offsets[2] = -1;
        offsets[3] = -stride;
    }

    std::vector<int> Run()
    {
        PointDownhill();
        FloodPlateaus();
        NumberMinima();
        FollowArrows();
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

    // Each pixel's first lowest lower neighbour in the order right, below,
    // left, above, or `plateau`. The frame is marked as already seen.
    void PointDownhill()
    {
        std::memset(arrows.data(), seen | minimum, std::size_t(stride));
        std::memset(arrows.data() + Framed(0, h + 1), seen | minimum, std::size_t(stride));
        for (int y = 1; y <= h; ++y) {
            const unsigned char* row = framed.data() + Framed(0, y);
            const unsigned char* above = row - stride;
            const unsigned char* below = row + stride;
            unsigned char* out = arrows.data() + Framed(0, y);
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

    void FloodPlateaus()
    {
        for (int y = 1; y <= h; ++y)
            for (int x = 1; x <= w; ++x)
                if (arrows[Framed(x, y)] == plateau)
                    FloodPlateau(int(Framed(x, y)));
    }

    // Gathers the plateau around start, whose first pixel in raster order it
    // is, then floods it from its pixels with lower neighbours, or records a
    // minimum.
    void FloodPlateau(int start)
    {
        const unsigned char f = framed[std::size_t(start)];
        members.clear();
        seeds.clear();
        members.push_back(start);
        arrows[std::size_t(start)] = seen | plateau;
        for (std::size_t i = 0; i < members.size(); ++i)
            for (const int d : offsets) {
                const std::size_t r = std::size_t(members[i] + d);
                if (framed[r] != f || (arrows[r] & seen))
                    continue;
                if (arrows[r] != plateau)
                    seeds.push_back(int(r));
                arrows[r] |= seen;
                members.push_back(int(r));
            }
        if (seeds.empty()) {
            const int id = int(minima.size());
            minima.push_back(f);
            for (const int q : members) {
                arrows[std::size_t(q)] = seen | minimum;
                labels[Unframed(q)] = -(id + 1);
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
                const std::size_t r = std::size_t(seeds[i] + offsets[k]);
                if (arrows[r] == (seen | plateau)) {
                    arrows[r] = seen | ((k + 2) & 3);
                    seeds.push_back(int(r));
                }
            }
    }

    std::size_t Unframed(int q) const
    {
        const int y = q / stride;
        return std::size_t(y - 1) * std::size_t(w) + std::size_t(q - y * stride - 1);
    }

    // Basin numbers by value, then in the order the minima were met.
    void NumberMinima()
    {
        std::size_t first[257] = {};
        for (const unsigned char value : minima)
            ++first[value + 1];
        for (std::size_t k = 1; k < 257; ++k)
            first[k] += first[k - 1];
        basinOf.resize(minima.size());
        for (std::size_t i = 0; i < minima.size(); ++i)
            basinOf[i] = int(++first[minima[i]]);
    }

    // Each unlabelled pixel walks its arrows to a labelled one, then the walk
    // takes that label. Minima hold -(index + 1) until their turn.
    void FollowArrows()
    {
        const int step[4] = {1, w, -1, -w};
        for (int y = 1; y <= h; ++y)
            for (int x = 1; x <= w; ++x) {
                std::size_t u = std::size_t(y - 1) * std::size_t(w) + std::size_t(x - 1);
                if (labels[u] > 0)
                    continue;
                if (labels[u] < 0) {
                    labels[u] = basinOf[std::size_t(-labels[u] - 1)];
                    continue;
                }
                std::size_t p = Framed(x, y);
                walk.clear();
                while (labels[u] == 0) {
                    walk.push_back(int(u));
                    const unsigned char k = arrows[p] & direction;
                    p = std::size_t(std::ptrdiff_t(p) + offsets[k]);
                    u = std::size_t(std::ptrdiff_t(u) + step[k]);
                }
                const int label = labels[u] > 0 ? labels[u] : basinOf[std::size_t(-labels[u] - 1)];
                for (const int v : walk)
                    labels[std::size_t(v)] = label;
            }
    }

    int w, h, stride;
    std::vector<unsigned char> framed;
    std::vector<unsigned char> arrows;
    std::vector<int> labels;
    int offsets[4];
    std::vector<int> members;
    std::vector<int> seeds;
    // The value of each minimum, in the order met.
    std::vector<unsigned char> minima;
    std::vector<int> basinOf;
    std::vector<int> walk;
};

} // namespace

std::vector<unsigned char> MakeNewGradient(const unsigned char* picture, int w, int h)
{
    const int stride = w + 2;
    auto framed = SegmentationBuffer<unsigned char>(std::size_t(stride) * std::size_t(h + 2), "MakeNewGradient");
    std::memset(framed.data(), 255, framed.size());
    for (int y = 0; y < h; ++y)
        std::memcpy(framed.data() + std::size_t(y + 1) * std::size_t(stride) + 1, picture + std::size_t(y) * std::size_t(w),
                    std::size_t(w));
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
