#include "pixorama/workbench/PhotoEffects.h"

#include "ChunkSplit.h"
#include "PixelLoops.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// One relief line: 128 + lower[x + 1] - upper[x - 1], edges repeated.
void ReliefRow(const unsigned char* lower, const unsigned char* upper, unsigned char* out, int w)
{
    if (w == 1) {
        out[0] = ClampByte(128 + lower[0] - upper[0]);
        return;
    }
    out[0] = ClampByte(128 + lower[1] - upper[0]);
    for (int x = 1; x < w - 1; ++x) {
        const int v = 128 + lower[x + 1] - upper[x - 1];
        out[x] = static_cast<unsigned char>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
    out[w - 1] = ClampByte(128 + lower[w - 1] - upper[w - 2]);
}

// Plane row r is picture row height - 1 - r: the picture's lower neighbour is
// plane row r - 1, its upper neighbour plane row r + 1. Each worker keeps the
// original rows around the one it writes in three line buffers; the rows
// just outside its band, which the neighbouring worker may already have
// changed, are saved before the workers start.
void Relief(ColourPlanes planes)
{
    const int w = planes.Width();
    const int h = planes.Height();
    const std::size_t line = std::size_t(w);
    const int chunks = RowSplit::threadCount();
    ClassData2DIO<unsigned char>* channels[3] = {&planes.r, &planes.g, &planes.b};
    // halo[(chunk * 3 + channel) * 2 + 0 / 1]: the rows above and below the chunk.
    std::vector<unsigned char> halo(std::size_t(chunks) * 6 * line);
    auto haloRow = [&](int chunk, int channel, int side) {
        return halo.data() + (std::size_t(chunk * 3 + channel) * 2 + std::size_t(side)) * line;
    };
    for (int chunk = 0; chunk < chunks; ++chunk) {
        const RowSplit::Range r = RowSplit::range(chunk, chunks, h);
        for (int c = 0; c < 3 && !r.empty(); ++c) {
            std::memcpy(haloRow(chunk, c, 0), channels[c]->rows[std::max(r.begin - 1, 0)], line);
            std::memcpy(haloRow(chunk, c, 1), channels[c]->rows[std::min(r.end, h - 1)], line);
        }
    }
    gForEachChunk(h, chunks, [&](int chunk, int begin, int end) {
        std::vector<unsigned char> buffers(3 * line);
        for (int c = 0; c < 3; ++c) {
            ClassData2DIO<unsigned char>& plane = *channels[c];
            unsigned char* lower = buffers.data();
            unsigned char* middle = lower + line;
            unsigned char* upper = middle + line;
            std::memcpy(lower, haloRow(chunk, c, 0), line);
            std::memcpy(middle, plane.rows[begin], line);
            for (int y = begin; y < end; ++y) {
                std::memcpy(upper, y + 1 < end ? plane.rows[y + 1] : haloRow(chunk, c, 1), line);
                ReliefRow(y == 0 ? middle : lower, y == h - 1 ? middle : upper, plane.rows[y], w);
                std::swap(lower, middle); // the original row y is the next line's lower neighbour
                std::swap(middle, upper);
            }
        }
    });
}

} // namespace

void EffectStylise(ColourPlanes planes)
{
    if (!planes.Empty())
        Relief(planes);
}
