#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

// The maximum (or minimum) over the square of 2 r + 1 around every pixel of a
// w x h byte picture, clipped to the picture, taken one pixel at a time.
inline std::vector<unsigned char> BruteSquare(const std::vector<unsigned char>& p, int w, int h, int r, bool maximum)
{
    std::vector<unsigned char> out(p.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char m = maximum ? 0 : 255;
            for (int yy = std::max(0, y - r); yy <= std::min(h - 1, y + r); ++yy)
                for (int xx = std::max(0, x - r); xx <= std::min(w - 1, x + r); ++xx) {
                    const unsigned char v = p[std::size_t(yy) * std::size_t(w) + std::size_t(xx)];
                    m = maximum ? std::max(m, v) : std::min(m, v);
                }
            out[std::size_t(y) * std::size_t(w) + std::size_t(x)] = m;
        }
    return out;
}
