#include "pixorama/workbench/ColourAdjustments.h"

#include "pixorama/common/Gaussian.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Running box sums of radius r along one line of n values (edge repeated).
void boxLine(const unsigned char* in, std::ptrdiff_t stride, int n, int r, unsigned char* out)
{
    std::vector<int> line(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        line[std::size_t(i)] = in[i * stride];
    const auto at = [&](int i) { return line[std::size_t(std::clamp(i, 0, n - 1))]; };
    int sum = 0;
    for (int i = -r; i <= r; ++i)
        sum += at(i);
    const int size = 2 * r + 1;
    for (int i = 0; i < n; ++i) {
        out[i * stride] = static_cast<unsigned char>((sum + size / 2) / size);
        sum += at(i + r + 1) - at(i - r);
    }
}

} // namespace

void gAdjustBlur(Plane& plane, float value)
{
    const int r = static_cast<int>(value * 50.0f);
    if (r < 1 || plane.IsEmpty())
        return;
    const int w = plane.width;
    const int h = plane.height;
    for (int y = 0; y < h; ++y)
        boxLine(plane.rows[y], 1, w, r, plane.rows[y]);
    for (int x = 0; x < w; ++x)
        boxLine(plane.rows[0] + x, plane.rows[1 % h] - plane.rows[0], h, r, plane.rows[0] + x);
}

void gAdjustSharpen(Plane& plane, float value)
{
    if (plane.IsEmpty())
        return;
    const int w = plane.width;
    const int h = plane.height;
    ClassData2DIO<float> blurred;
    blurred.SetDim(w, h);
    for (int y = 0; y < h; ++y)
        std::copy(plane.rows[y], plane.rows[y] + w, blurred.rows[y]);
    gGauss(&blurred, 15, 1.5f, 0.0f);
    const int k = static_cast<int>(value * 600.0f);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int v = plane.rows[y][x];
            // Rounded: a truncated blur sits below a flat area and lifts it.
            const int b = static_cast<int>(std::lround(std::clamp(blurred.rows[y][x], 0.0f, 255.0f)));
            const int d = v - b;
            if (d != 0)
                plane.rows[y][x] = static_cast<unsigned char>(std::clamp(v + k * d / 100, 0, 255));
        }
}

void gAdjustMosaic(Plane& plane, float value)
{
    const int block = static_cast<int>(value * 50.0f);
    if (block < 2 || plane.IsEmpty())
        return;
    const int w = plane.width;
    const int h = plane.height;
    // Blocks start at the top-left corner on screen, which is the last row.
    for (int top = 0; top < h; top += block)
        for (int left = 0; left < w; left += block) {
            const int bottom = std::min(top + block, h);
            const int right = std::min(left + block, w);
            int sum = 0;
            for (int s = top; s < bottom; ++s)
                for (int x = left; x < right; ++x)
                    sum += plane.rows[h - 1 - s][x];
            const int n = (bottom - top) * (right - left);
            const auto mean = static_cast<unsigned char>((sum + n / 2) / n);
            for (int s = top; s < bottom; ++s)
                std::fill(plane.rows[h - 1 - s] + left, plane.rows[h - 1 - s] + right, mean);
        }
}
