#include "FlatField.h"

#include <algorithm>
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

} // namespace

void Gain(const ClassData2DIO<float>& bright, const ClassData2DIO<float>& dark, ClassData2DIO<float>& gain)
{
    gain.SetDim(bright.width, bright.height);
    const int w = sharedWidth(bright, dark);
    const int h = sharedHeight(bright, dark);
    for (int y = 0; y < h; ++y) {
        const float* b = bright.rows[y];
        const float* d = dark.rows[y];
        float* g = gain.rows[y];
        for (int x = 0; x < w; ++x)
            g[x] = b[x] - d[x];
    }
}

float Median(const ClassData2DIO<float>& gain)
{
    if (gain.IsEmpty())
        return 0.0f;
    std::vector<float> values(gain.data, gain.data + std::size_t(gain.width) * std::size_t(gain.height));
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

void Correct(ClassData2DIO<float>& picture, const ClassData2DIO<float>& dark, const ClassData2DIO<float>& gain,
             float median)
{
    const int w = std::min(sharedWidth(picture, dark), gain.width);
    const int h = std::min(sharedHeight(picture, dark), gain.height);
    for (int y = 0; y < h; ++y) {
        float* p = picture.rows[y];
        const float* d = dark.rows[y];
        const float* g = gain.rows[y];
        for (int x = 0; x < w; ++x) {
            const float v = p[x] - d[x];
            p[x] = g[x] > gainLimit ? median * v / g[x] : v;
        }
    }
}

void RepairDead(ClassData2DIO<float>& picture, const ClassData2DIO<float>& gain, int before, int after)
{
    const int w = sharedWidth(picture, gain);
    const int h = sharedHeight(picture, gain);
    for (int y = 0; y < h; ++y) {
        const float* g = gain.rows[y];
        for (int x = 0; x < w; ++x) {
            if (!(g[x] < gainLimit))
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
    // change, and the running sum over the window's columns.
    std::vector<double> column(std::size_t(w) + 4, 0.0);
    double* col = column.data() + 2; // col[-2] .. col[w + 1], zero outside
    for (int y = 0; y < h; ++y) {
        const int y0 = std::max(0, y - 2);
        const int y1 = std::min(h - 1, y + 1);
        for (int x = 0; x < w; ++x) {
            double s = 0.0;
            for (int yy = y0; yy <= y1; ++yy)
                s += picture.rows[yy][x];
            col[x] = s;
        }
        const int rows = y1 - y0 + 1;
        float* p = picture.rows[y];
        double running = col[-2] + col[-1] + col[0] + (w > 1 ? col[1] : 0.0);
        for (int x = 0; x < w; ++x) {
            const int cols = std::min(w - 1, x + 1) - std::max(0, x - 2) + 1;
            const float m = float(running / (rows * cols));
            if (p[x] < 0.5f * m) {
                const double delta = double(m) - p[x];
                p[x] = m;
                col[x] += delta;
                running += delta;
            }
            // Slide: column x + 2 comes in, column x - 2 goes out.
            running += (x + 2 < w ? col[x + 2] : 0.0) - col[x - 2];
        }
    }
}

} // namespace flatfield
