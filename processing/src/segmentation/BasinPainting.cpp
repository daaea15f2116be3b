#include "pixorama/workbench/Segmentation.h"

#include <algorithm>
#include <cstdint>

namespace {

bool Matches(const std::vector<int>& labels, ColourPlanes planes)
{
    return !planes.Empty() && labels.size() == std::size_t(planes.Width()) * std::size_t(planes.Height());
}

} // namespace

void DrawBasinBorders(const std::vector<int>& labels, ColourPlanes planes, unsigned char red, unsigned char green,
                      unsigned char blue)
{
    if (!Matches(labels, planes))
        return;
    const int w = planes.Width();
    const int h = planes.Height();
    for (int y = 0; y < h; ++y) {
        const int* row = labels.data() + std::size_t(y) * std::size_t(w);
        const int* below = y + 1 < h ? row + w : nullptr;
        unsigned char* r = planes.r.rows[y];
        unsigned char* g = planes.g.rows[y];
        unsigned char* b = planes.b.rows[y];
        for (int x = 0; x < w; ++x) {
            const bool border = (x + 1 < w && row[x + 1] != row[x]) || (below && below[x] != row[x]);
            if (border) {
                r[x] = red;
                g[x] = green;
                b[x] = blue;
            }
        }
    }
}

void PaintBasinMeans(const std::vector<int>& labels, ColourPlanes planes)
{
    if (!Matches(labels, planes) || labels.empty())
        return;
    const int w = planes.Width();
    const int h = planes.Height();
    const int top = std::max(0, *std::max_element(labels.begin(), labels.end()));
    struct Sum {
        std::uint64_t r = 0, g = 0, b = 0, n = 0;
    };
    std::vector<Sum> sums(std::size_t(top) + 1);
    for (int y = 0; y < h; ++y) {
        const int* row = labels.data() + std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w; ++x) {
            Sum& s = sums[std::size_t(std::max(0, row[x]))];
            s.r += planes.r.rows[y][x];
            s.g += planes.g.rows[y][x];
            s.b += planes.b.rows[y][x];
            ++s.n;
        }
    }
    for (int y = 0; y < h; ++y) {
        const int* row = labels.data() + std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w; ++x) {
            const Sum& s = sums[std::size_t(std::max(0, row[x]))];
            planes.r.rows[y][x] = static_cast<unsigned char>(s.r / s.n);
            planes.g.rows[y][x] = static_cast<unsigned char>(s.g / s.n);
            planes.b.rows[y][x] = static_cast<unsigned char>(s.b / s.n);
        }
    }
}
