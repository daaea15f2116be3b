#include "FlatField.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace flatfield {

namespace {

constexpr float gainLimit = 10.0f;

int sharedWidth(const ClassData2DIO<float>& a, const ClassData2DIO<float>& b)
{
    return std::min(a.width, b.width);
}

int sharedHeight(const ClassData2DIO<float>& a, const ClassData2DIO<float>& b)
{
    return std::min(a.height, b.height);
}

// A key that orders like the float: the sign bit flipped for positives,
// every bit flipped for negatives.
inline std::uint32_t orderKey(float v)
{
    std::uint32_t bits;
    std::memcpy(&bits, &v, 4);
    return bits & 0x80000000u ? ~bits : bits | 0x80000000u;
}

template <typename Body>
void forEachGain(const Calibration& c, Body body)
{
    const int w = sharedWidth(c.bright, c.dark);
    const int h = sharedHeight(c.bright, c.dark);
    for (int y = 0; y < h; ++y) {
        const float* b = c.bright.rows[y];
        const float* d = c.dark.rows[y];
        for (int x = 0; x < w; ++x)
            body(b[x] - d[x]);
    }
}

} // namespace

float MedianGain(const Calibration& c)
{
    const std::size_t count = std::size_t(std::max(0, sharedWidth(c.bright, c.dark)))
                              * std::size_t(std::max(0, sharedHeight(c.bright, c.dark)));
    if (count == 0)
        return 0.0f;
    // Selection by the top 16 bits of the key, then among the few values
    // that share the chosen bucket.
    std::vector<std::uint32_t> histogram(65536, 0);
    forEachGain(c, [&](float g) { ++histogram[orderKey(g) >> 16]; });
    std::size_t rank = count / 2;
    std::uint32_t bucket = 0;
    while (rank >= histogram[bucket])
        rank -= histogram[bucket++];
    std::vector<float> candidates;
    candidates.reserve(histogram[bucket]);
    forEachGain(c, [&](float g) {
        if ((orderKey(g) >> 16) == bucket)
            candidates.push_back(g);
    });
    std::nth_element(candidates.begin(), candidates.begin() + std::ptrdiff_t(rank), candidates.end());
    return candidates[rank];
}

void Correct(ClassData2DIO<float>& picture, const Calibration& c, float median)
{
    const int w = std::min(sharedWidth(picture, c.dark), c.bright.width);
    const int h = std::min(sharedHeight(picture, c.dark), c.bright.height);
    for (int y = 0; y < h; ++y) {
        float* p = picture.rows[y];
        const float* b = c.bright.rows[y];
        const float* d = c.dark.rows[y];
        for (int x = 0; x < w; ++x) {
            const float g = b[x] - d[x];
            const float v = p[x] - d[x];
            p[x] = g > gainLimit ? median * v / g : v;
        }
    }
}

void RepairDead(ClassData2DIO<float>& picture, const Calibration& c, int before, int after)
{
    const int w = std::min(sharedWidth(picture, c.dark), c.bright.width);
    const int h = std::min(sharedHeight(picture, c.dark), c.bright.height);
    for (int y = 0; y < h; ++y) {
        const float* b = c.bright.rows[y];
        const float* d = c.dark.rows[y];
        for (int x = 0; x < w; ++x) {
            if (!(b[x] - d[x] < gainLimit))
                continue;
            const int x0 = std::max(0, x - before);
            const int x1 = std::min(picture.width - 1, x + after);
            float best = picture.rows[y][x];
            for (int yy = std::max(0, y - before); yy <= std::min(picture.height - 1, y + after); ++yy)
                best = std::max(best, *std::max_element(picture.rows[yy] + x0, picture.rows[yy] + x1 + 1));
            picture.rows[y][x] = best;
        }
    }
}

void FillDarkSpots(ClassData2DIO<float>& picture)
{
    if (picture.IsEmpty())
        return;
    const int w = picture.width;
    const int h = picture.height;
    // Column sums over the window's rows, kept equal to the pixels as they
    // change, and the running sum over the window's columns. col[-2],
    // col[-1], col[w] and col[w + 1] stay zero.
    std::vector<double> column(std::size_t(w) + 4, 0.0);
    double* col = column.data() + 2;
    std::vector<double> inverse(static_cast<std::size_t>(w));
    int rowsBefore = 0;
    for (int y = 0; y < h; ++y) {
        const int y0 = std::max(0, y - 2);
        const int y1 = std::min(h - 1, y + 1);
        // The window moves down a row: the row above it leaves, the row
        // below it comes in (both as they are now).
        if (y >= 3) {
            const float* out = picture.rows[y - 3];
            for (int x = 0; x < w; ++x)
                col[x] -= out[x];
        }
        for (int yy = y == 0 ? 0 : y + 1; yy <= y1; ++yy) {
            const float* in = picture.rows[yy];
            for (int x = 0; x < w; ++x)
                col[x] += in[x];
        }
        const int rows = y1 - y0 + 1;
        if (rows != rowsBefore) {
            for (int x = 0; x < w; ++x)
                inverse[std::size_t(x)] = 1.0 / double(rows * (std::min(w - 1, x + 1) - std::max(0, x - 2) + 1));
            rowsBefore = rows;
        }
        float* p = picture.rows[y];
        double running = col[-2] + col[-1] + col[0] + col[1];
        for (int x = 0; x < w; ++x) {
            const float m = float(running * inverse[std::size_t(x)]);
            if (p[x] < 0.5f * m) {
                const double delta = double(m) - p[x];
                p[x] = m;
                col[x] += delta;
                running += delta;
            }
            // Slide: column x + 2 comes in, column x - 2 goes out.
            running += col[x + 2] - col[x - 2];
        }
    }
}

} // namespace flatfield
