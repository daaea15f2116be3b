#pragma once

#include "pixorama/common/ClassData2DIO.h"

#include <algorithm>
#include <vector>

// The window processor done the direct way, from its definition: one
// thread, every window of the grid copied, its extremes searched, its
// stretched values and its count added pixel by pixel in float. The
// reference for the tests and the baseline of the benchmark.

inline int directMirror(int k, int n)
{
    if (k < 0)
        k = -k;
    if (k >= n)
        k = 2 * n - k - 2;
    return std::clamp(k, 0, n - 1);
}

inline ClassData2DIO<unsigned char> gDirectWindowProcess(const ClassData2DIO<float>& in, int a, int b, int sr, int sc)
{
    const int w = in.width, h = in.height, p = std::max(a / 2, b / 2);
    const int pw = w + 2 * p, ph = h + 2 * p;
    const std::size_t size = std::size_t(pw) * std::size_t(ph);
    std::vector<float> src(size, 0.0f);
    std::vector<float> sum(size, 0.0f);
    std::vector<int> count(size, 0);
    for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pw; ++x)
            src[std::size_t(y) * pw + x] = in.rows[directMirror(y - p, h)][directMirror(x - p, w)];
    for (int c = p; c < h + p - 1; c += sr)
        for (int d = p; d < pw - p; d += sc) {
            const int top = c - b / 2, left = d - a / 2;
            float mn = src[std::size_t(top) * pw + left], mx = mn;
            for (int r = 0; r < b; ++r)
                for (int k = 0; k < a; ++k) {
                    mn = std::min(mn, src[std::size_t(top + r) * pw + left + k]);
                    mx = std::max(mx, src[std::size_t(top + r) * pw + left + k]);
                }
            const bool flat = mx - mn < 1e-7f;
            const float scale = flat ? 0.0f : 255.0f / (mx - mn);
            for (int r = 0; r < b; ++r)
                for (int k = 0; k < a; ++k) {
                    const std::size_t i = std::size_t(top + r) * pw + left + k;
                    sum[i] += flat ? 0.0f : float(int((src[i] - mn) * scale));
                    count[i] += 1;
                }
        }
    std::vector<float> mean(std::size_t(w) * std::size_t(h), 0.0f);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t i = std::size_t(y + p) * pw + x + p;
            mean[std::size_t(y) * w + x] = count[i] ? sum[i] / float(count[i]) : 0.0f;
        }
    ClassData2DIO<unsigned char> out;
    out.SetDim(w, h);
    const auto [lo, hi] = std::minmax_element(mean.begin(), mean.end());
    if (*hi - *lo < 1e-7f)
        return out;
    const float scale = 255.0f / (*hi - *lo);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.rows[y][x] = static_cast<unsigned char>(int((mean[std::size_t(y) * w + x] - *lo) * scale));
    return out;
}

