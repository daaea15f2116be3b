#include "pixorama/workbench/ProjectionCorrections.h"

#include "pixorama/common/RowSplit.h"

#include <algorithm>
#include <array>
#include <cmath>

void LogConvert(ClassData2DIO<float>& frame, I0Source source, double fixedI0)
{
    if (frame.IsEmpty())
        return;
    float imageMax = 0;
    for (int y = 0; y < frame.height; ++y)
        imageMax = std::max(imageMax, *std::max_element(frame.rows[y], frame.rows[y] + frame.width));
    for (int y = 0; y < frame.height; ++y) {
        float* row = frame.rows[y];
        double i0 = source == I0Source::Fixed ? fixedI0 : imageMax;
        if (source == I0Source::RowMaximum)
            i0 = *std::max_element(row, row + frame.width);
        if (!(i0 > 0)) {
            std::fill(row, row + frame.width, 0.0f);
            continue;
        }
        const double floorI = i0 * 1e-6;
        for (int x = 0; x < frame.width; ++x)
            row[x] = float(std::log(i0 / std::max(double(row[x]), floorI)));
    }
}

void CorrectBeamHardening(ClassData2DIO<float>& frame, int strength)
{
    static constexpr std::array<float, 4> square = {0.0f, 0.02f, 0.05f, 0.1f};
    if (strength <= 0 || strength > 3 || frame.IsEmpty())
        return;
    const float a = square[std::size_t(strength)];
    for (int y = 0; y < frame.height; ++y)
        for (float* p = frame.rows[y]; p < frame.rows[y] + frame.width; ++p)
            if (*p > 0)
                *p += a * *p * *p;
}

void RemoveSpeckles(ClassData2DIO<float>& frame)
{
    if (frame.width < 3 || frame.height < 3)
        return;
    float lo = frame.rows[0][0], hi = lo;
    for (int y = 0; y < frame.height; ++y) {
        const auto [a, b] = std::minmax_element(frame.rows[y], frame.rows[y] + frame.width);
        lo = std::min(lo, *a);
        hi = std::max(hi, *b);
    }
    const float margin = 0.1f * (hi - lo);
    const ClassData2DIO<float> src = frame;
    for (int y = 1; y + 1 < frame.height; ++y)
        for (int x = 1; x + 1 < frame.width; ++x) {
            std::array<float, 9> w;
            for (int i = 0; i < 9; ++i)
                w[std::size_t(i)] = src.rows[y + i / 3 - 1][x + i % 3 - 1];
            const float centre = w[4];
            float nlo = w[0], nhi = w[0];
            for (int i = 0; i < 9; ++i)
                if (i != 4) {
                    nlo = std::min(nlo, w[std::size_t(i)]);
                    nhi = std::max(nhi, w[std::size_t(i)]);
                }
            std::nth_element(w.begin(), w.begin() + 4, w.end());
            const float median = w[4];
            if ((centre > nhi || centre < nlo) && std::abs(centre - median) > margin)
                frame.rows[y][x] = median;
        }
}

namespace {

// Column offsets of one detector row; rowOf(view) gives its values.
template <class RowOf>
void removeRingsOfRow(int width, int views, RowOf rowOf)
{
    std::vector<double> mean(std::size_t(width), 0.0);
    for (int v = 0; v < views; ++v) {
        const float* row = rowOf(v);
        for (int x = 0; x < width; ++x)
            mean[std::size_t(x)] += row[x];
    }
    for (double& m : mean)
        m /= views;
    std::vector<float> offset(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        std::array<double, 9> w;
        int n = 0;
        for (int d = -4; d <= 4; ++d)
            if (x + d >= 0 && x + d < width)
                w[std::size_t(n++)] = mean[std::size_t(x + d)];
        std::nth_element(w.begin(), w.begin() + n / 2, w.begin() + n);
        offset[std::size_t(x)] = float(mean[std::size_t(x)] - w[std::size_t(n / 2)]);
    }
    for (int v = 0; v < views; ++v) {
        float* row = rowOf(v);
        for (int x = 0; x < width; ++x)
            row[x] -= offset[std::size_t(x)];
    }
}

} // namespace

void RemoveRings(ClassData2DIO<float>& sinogram)
{
    if (sinogram.IsEmpty())
        return;
    removeRingsOfRow(sinogram.width, sinogram.height, [&](int v) { return sinogram.rows[v]; });
}

void RemoveRings(std::vector<ClassData2DIO<float>>& frames)
{
    if (frames.empty() || frames.front().IsEmpty())
        return;
    const int width = frames.front().width;
    RowSplit::run(frames.front().height, [&](int begin, int end) {
        for (int r = begin; r < end; ++r)
            removeRingsOfRow(width, int(frames.size()), [&](int v) { return frames[std::size_t(v)].rows[r]; });
    });
}
