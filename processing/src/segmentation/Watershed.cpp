#include "pixorama/workbench/WatershedCore.h"

#include "SegmentationBuffer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace {

// First in, first out over a fixed number of positions: the flooding of one
// grey value queues each of its positions at most once, and the queue is
// empty between two values.
class Queue {
public:
    explicit Queue(std::size_t capacity) : items(SegmentationBuffer<int>(capacity, "Queue::Queue")) {}
    // Starts again at the front of the buffer, which stays in the cache.
    void Clear() { head = tail = 0; }
    void Push(int p) { items[tail++] = p; }
    int Pop() { return items[head++]; }
    bool Empty() const { return head == tail; }
    // The position `ahead` places behind the next one, or -1.
    int Peek(std::size_t ahead) const { return head + ahead < tail ? items[head + ahead] : -1; }

private:
    std::vector<int> items;
    std::size_t head = 0;
    std::size_t tail = 0;
};

class Flooding {
public:
    Flooding(const unsigned char* picture, int w, int h)
        : w(w), h(h), stride(w + 2), framed(MakeNewGradient(picture, w, h)),
          order(CountingSort(framed.data(), w, h, levelStarts.data())), queue(LargestLevel()),
          labels(SegmentationBuffer<int>(std::size_t(w + 2) * std::size_t(h + 2), "GenericWatershed"))
    {
        offsets[0] = 1;
        offsets[1] = stride;
        offsets[2] = -1;
        offsets[3] = -stride;
        for (int x = 0; x < stride; ++x)
            labels[std::size_t(x)] = labels[std::size_t(h + 1) * std::size_t(stride) + std::size_t(x)] = -1;
        for (int y = 1; y <= h; ++y)
            labels[std::size_t(y) * std::size_t(stride)] = labels[std::size_t(y) * std::size_t(stride) + std::size_t(w + 1)] = -1;
    }

    std::vector<int> Run()
    {
        for (int level = 0; level < 256; ++level) {
            const std::size_t begin = levelStarts[std::size_t(level)];
            const std::size_t end = levelStarts[std::size_t(level) + 1];
            if (begin == end)
                continue;
            const unsigned char f = static_cast<unsigned char>(level);
            queue.Clear();
            JoinLowerBasins(begin, end, f);
            Spread(f);
            StartNewBasins(begin, end, f);
        }
        return Compact();
    }

private:
    std::size_t LargestLevel() const
    {
        std::size_t largest = 0;
        for (std::size_t k = 0; k < 256; ++k)
            largest = std::max(largest, levelStarts[k + 1] - levelStarts[k]);
        return largest;
    }

    // Positions of the run whose lowest lower neighbour is labelled take its
    // label. In blocks: the lowest neighbours of a block are found first and
    // their label lines asked for, then the labels are copied in order.
    void JoinLowerBasins(std::size_t begin, std::size_t end, unsigned char f)
    {
        constexpr std::size_t block = 32;
        int lowest[block];
        for (std::size_t start = begin; start < end; start += block) {
            const std::size_t count = std::min(block, end - start);
            for (std::size_t i = 0; i < count; ++i) {
                if (start + block + i < end)
                    PrefetchPicture(order[start + block + i]);
                const int p = order[start + i];
                lowest[i] = LowestLowerNeighbour(p, f);
                if (lowest[i] >= 0) {
                    __builtin_prefetch(labels.data() + lowest[i]);
                    __builtin_prefetch(labels.data() + p, 1);
                }
            }
            for (std::size_t i = 0; i < count; ++i) {
                const int best = lowest[i];
                if (best >= 0 && labels[std::size_t(best)] != 0) {
                    const int p = order[start + i];
                    labels[std::size_t(p)] = labels[std::size_t(best)];
                    queue.Push(p);
                }
            }
        }
    }

    // The first neighbour of p below f in the order right, below, left,
    // above, the lowest on ties; -1 when none is.
    int LowestLowerNeighbour(int p, unsigned char f) const
    {
        int best = -1;
        unsigned char bestValue = f;
        for (const int d : offsets) {
            const unsigned char v = framed[std::size_t(p + d)];
            if (v < bestValue) {
                bestValue = v;
                best = p + d;
            }
        }
        return best;
    }

    void PrefetchPicture(int p) const
    {
        for (const int d : {-stride, 0, stride})
            __builtin_prefetch(framed.data() + p + d);
    }

    // The run visits positions all over the picture: ask for the lines of a
    // position some steps ahead while this one is worked on.
    static constexpr std::size_t prefetchAhead = 12;
    void Prefetch(int p) const
    {
        for (const int d : {-stride, 0, stride}) {
            __builtin_prefetch(framed.data() + p + d);
            __builtin_prefetch(labels.data() + p + d, 1);
        }
    }

    // Breadth-first over unlabelled neighbours of value f.
    void Spread(unsigned char f)
    {
        while (!queue.Empty()) {
            if (const int next = queue.Peek(prefetchAhead); next >= 0)
                Prefetch(next);
            const int q = queue.Pop();
            for (const int d : offsets) {
                const int r = q + d;
                if (labels[std::size_t(r)] == 0 && framed[std::size_t(r)] == f) {
                    labels[std::size_t(r)] = labels[std::size_t(q)];
                    queue.Push(r);
                }
            }
        }
    }

    void StartNewBasins(std::size_t begin, std::size_t end, unsigned char f)
    {
        for (std::size_t i = begin; i < end; ++i) {
            if (i + prefetchAhead < end)
                __builtin_prefetch(labels.data() + order[i + prefetchAhead]);
            const int p = order[i];
            if (labels[std::size_t(p)] != 0)
                continue;
            labels[std::size_t(p)] = ++basins;
            queue.Push(p);
            Spread(f);
        }
    }

    // Drops the frame in place: row y moves to y * w, never ahead of itself.
    std::vector<int> Compact()
    {
        for (int y = 0; y < h; ++y)
            std::memmove(labels.data() + std::size_t(y) * std::size_t(w),
                         labels.data() + std::size_t(y + 1) * std::size_t(stride) + 1, std::size_t(w) * sizeof(int));
        labels.resize(std::size_t(w) * std::size_t(h));
        return std::move(labels);
    }

    int w, h, stride;
    std::array<std::size_t, 257> levelStarts{};
    std::vector<unsigned char> framed;
    std::vector<int> order;
    Queue queue;
    std::vector<int> labels;
    int offsets[4];
    int basins = 0;
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
    return Flooding(picture, w, h).Run();
}
