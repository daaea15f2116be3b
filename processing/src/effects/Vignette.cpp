#include "pixorama/workbench/PhotoEffects.h"

#include "PixelLoops.h"
#include "HotKernel.h"

#include <algorithm>
#include <cmath>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

// The factor of every pixel of one line. Columns x and width - x lie at the
// same distance from the centre column width / 2, so half a line is looked
// up: first the distances, on vectors, then the table.
void LineFactors(const FalloffTable& falloff, int w, float cx, float dy, float c, float* __restrict factor)
{
    const int half = w / 2 + 1;
    int x = 0;
#if defined(__SSE2__)
    // std::sqrt may set errno, which keeps the compiler from vectorising it.
    const __m128 vcx = _mm_set1_ps(cx), dy2 = _mm_set1_ps(dy * dy), vc = _mm_set1_ps(c);
    for (; x + 4 <= half; x += 4) {
        const __m128 dx = _mm_sub_ps(_mm_cvtepi32_ps(_mm_setr_epi32(x, x + 1, x + 2, x + 3)), vcx);
        _mm_storeu_ps(factor + x, _mm_div_ps(_mm_sqrt_ps(_mm_add_ps(_mm_mul_ps(dx, dx), dy2)), vc));
    }
#endif
    for (; x < half; ++x) {
        const float dx = float(x) - cx;
        factor[x] = std::sqrt(dx * dx + dy * dy) / c;
    }
    for (int x = 0; x < half; ++x)
        factor[x] = falloff(factor[x]);
    for (int x = half; x < w; ++x)
        factor[x] = factor[w - x];
}

// The run's luminance times factor[i], its chrominance kept. Loops of
// their own per step, so that each runs on vectors; built for AVX2 as well,
// taken where the processor has it (no FMA: the floats stay as they are).
PIX_WB_AVX2 void Shade(PixelRun& run, const float* __restrict factor, int n)
{
    alignas(64) float R[PixelRun::size], G[PixelRun::size], B[PixelRun::size];
    ToFloats(run.r, R, n);
    ToFloats(run.g, G, n);
    ToFloats(run.b, B, n);
    alignas(64) float Yv[PixelRun::size], U[PixelRun::size], V[PixelRun::size], out[PixelRun::size];
    for (int i = 0; i < n; ++i) {
        const float Y = 0.299f * R[i] + 0.587f * G[i] + 0.114f * B[i];
        U[i] = 0.493f * (B[i] - Y);
        V[i] = 0.877f * (R[i] - Y);
        Yv[i] = Y * factor[i];
    }
    for (int i = 0; i < n; ++i)
        out[i] = Yv[i] + 1.14f * V[i];
    TruncatedBytes(out, run.r, n);
    for (int i = 0; i < n; ++i)
        out[i] = Yv[i] - 0.394f * U[i] - 0.581f * V[i];
    TruncatedBytes(out, run.g, n);
    for (int i = 0; i < n; ++i)
        out[i] = Yv[i] + 2.032f * U[i];
    TruncatedBytes(out, run.b, n);
}

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
    // Plane rows run bottom-up: row r lies dy = h - 1 - r - cy from the centre
    // line, and row h - 2 - r at -dy. Unit u < h / 2 is row u with that
    // mirror, sharing one line of factors; the last unit is row h - 1.
    const int pairs = h / 2;
    ForRowBands(pairs + 1, std::size_t(w) * std::size_t(h), [&](int begin, int end) {
        std::vector<float> factors(static_cast<std::size_t>(w));
        float* const __restrict f = factors.data();
        auto shadeRow = [&](int row) {
            PixelRun run;
            for (int x0 = 0; x0 < w; x0 += PixelRun::size) {
                const int n = std::min(PixelRun::size, w - x0);
                run.Load(planes, row, x0, n);
                Shade(run, f + x0, n);
                run.Store(planes, row, x0, n);
            }
        };
        for (int u = begin; u < end; ++u) {
            const int row = u < pairs ? u : h - 1;
            LineFactors(falloff, w, cx, float(h - 1 - row) - cy, c, f);
            shadeRow(row);
            if (u < pairs && h - 2 - u != row)
                shadeRow(h - 2 - u);
        }
    });
}
