#include "pixorama/workbench/DetailLayers.h"

#include "pixorama/common/RowSplit.h"
#include "pixorama/workbench/WindowProcessor.h"

#include "HotKernel.h"

#include <algorithm>

namespace {

PIX_WB_HOT void recombineRow(const unsigned char* b, const unsigned char* s, const unsigned char* m,
                             const unsigned char* l, const float* wt, float total, unsigned char* out, int n)
{
    for (int x = 0; x < n; ++x) {
        const float v = (wt[1] * s[x] + wt[2] * m[x] + wt[3] * l[x] + wt[0] * b[x]) / total;
        out[x] = static_cast<unsigned char>(std::clamp(v, 0.0f, 255.0f));
    }
}

} // namespace

void gDetailBaseLayer(const ClassData2DIO<float>& raw, ClassData2DIO<unsigned char>& base)
{
    if (raw.IsEmpty()) {
        base.Clear();
        return;
    }
    if (base.width != raw.width || base.height != raw.height || base.IsEmpty())
        base.SetDim(raw.width, raw.height);
    const std::size_t n = std::size_t(raw.width) * raw.height;
    const auto [mn, mx] = std::minmax_element(raw.data, raw.data + n);
    const double range = double(*mx) - double(*mn);
    const double lo = *mn + 0.1 * range;
    const double hi = *mx - 0.1 * range;
    if (hi - lo < 1e-10)
        return;
    const double scale = 255.0 / (hi - lo);
    RowSplit::run(raw.height, [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const float* in = raw.rows[y];
            unsigned char* out = base.rows[y];
            for (int x = 0; x < raw.width; ++x) {
                const double v = in[x];
                out[x] = v <= lo ? 0 : v >= hi ? 255 : static_cast<unsigned char>((v - lo) * scale);
            }
        }
    });
}

void DetailLayers::Compute(const ClassData2DIO<float>& raw, bool batch, const std::function<void(int)>& progress)
{
    const auto report = [&](int position) {
        if (progress)
            progress(position);
    };
    if (raw.IsEmpty()) {
        for (QEVUCDATA2D* layer : {&base, &small, &medium, &large})
            layer->Clear();
        return;
    }
    gDetailBaseLayer(raw, base);
    report(10);
    gWindowProcess(raw, small, 17, 17, 2, 2);
    report(20);
    gWindowProcess(raw, medium, 35, 35, 4, 4);
    report(50);
    const int step = batch ? 4 : 7;
    gWindowProcess(raw, large, 61, 61, step, step);
    report(100);
}

void DetailLayers::Recombine(const float weights[4], ClassData2DIO<unsigned char>& result) const
{
    const int w = base.width;
    const int h = base.height;
    if (Empty()) {
        result.Clear();
        return;
    }
    if (result.width != w || result.height != h || result.IsEmpty())
        result.SetDim(w, h);
    const float total = weights[0] + weights[1] + weights[2] + weights[3];
    if (total == 0.0f) {
        for (int y = 0; y < h; ++y)
            std::fill(result.rows[y], result.rows[y] + w, 0);
        return;
    }
    RowSplit::run(h, [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            recombineRow(base.rows[y], small.rows[y], medium.rows[y], large.rows[y], weights, total, result.rows[y], w);
    });
}
