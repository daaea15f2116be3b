#include "pixorama/workbench/PhotoEffects.h"

#include "PixelLoops.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The luminance factor 0.75 / (1 + exp(20 (t - 0.73))) + 0.25 of the
// distance t from the centre as a fraction of the half diagonal (0..1),
// sampled finely enough that linear steps between samples stay far below
// one grey level.
class FalloffTable {
public:
    static constexpr int steps = 1 << 16;

    FalloffTable() : samples(steps + 2)
    {
        for (int i = 0; i <= steps + 1; ++i)
            samples[std::size_t(i)] = Exact(float(i) / steps);
    }

    static float Exact(float t) { return 0.75f / (1.0f + std::exp(20.0f * (t - 0.73f))) + 0.25f; }

    float operator()(float t) const
    {
        const float at = std::min(std::max(t, 0.0f), 1.0f) * steps;
        const int i = int(at);
        const float f = at - float(i);
        return samples[std::size_t(i)] + f * (samples[std::size_t(i) + 1] - samples[std::size_t(i)]);
    }

private:
    std::vector<float> samples;
};

} // namespace

void EffectVignette(ColourPlanes planes)
{
    if (planes.Empty())
        return;
    static const FalloffTable falloff;
    const int w = planes.Width();
    const int h = planes.Height();
    const float cx = float(w) / 2.0f;
    const float cy = float(h) / 2.0f;
    const float c = std::sqrt(cx * cx + cy * cy);
    ForRowBands(h, std::size_t(w) * std::size_t(h), [&](int begin, int end) {
        for (int row = begin; row < end; ++row) {
            const float dy = float(h - 1 - row) - cy; // plane rows run bottom-up
            unsigned char* r = planes.r.rows[row];
            unsigned char* g = planes.g.rows[row];
            unsigned char* b = planes.b.rows[row];
            for (int x = 0; x < w; ++x) {
                const float dx = float(x) - cx;
                const float R = r[x], G = g[x], B = b[x];
                const float Y = 0.299f * R + 0.587f * G + 0.114f * B;
                const float U = 0.493f * (B - Y);
                const float V = 0.877f * (R - Y);
                const float Yv = Y * falloff(std::sqrt(dx * dx + dy * dy) / c);
                r[x] = ClampByte(double(Yv + 1.14f * V));
                g[x] = ClampByte(double(Yv - 0.394f * U - 0.581f * V));
                b[x] = ClampByte(double(Yv + 2.032f * U));
            }
        }
    });
}
