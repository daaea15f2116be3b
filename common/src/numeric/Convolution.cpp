#include "pixorama/common/Convolution.h"

#include "CorrelationBand.h"
#include "HaloRows.h"
#include "pixorama/common/RowSplit.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

bool usable(const ClassData2DIO<float>* img)
{
    return img != nullptr && img->data != nullptr && img->width > 0 && img->height > 0;
}

// Writes each band's output rows over the image as it goes; see CorrelationBand.
void correlateInPlace(ClassData2DIO<float>& img, const CorrelationTaps& taps, int threads, bool interiorOnly)
{
    const HaloRows<float> halo(img.rows, img.width, img.height, threads, taps.ry);
    const int w = img.width;
    const int h = img.height;
    RowSplit::run(h, threads, [&](int begin, int end) {
        CorrelationBand band(taps, w, h, [&](int q) -> const float* {
            return q >= begin && q < end ? img.rows[q] : halo.row(q);
        });
        for (int y = begin; y < end; ++y) {
            float* out = img.rows[y];
            if (!interiorOnly) {
                band.computeRow(y, out);
                continue;
            }
            if (y < taps.ry || y >= h - taps.ry || w <= 2 * taps.rx) {
                band.advance(y);
                std::fill_n(out, w, 0.0f);
                continue;
            }
            band.computeRow(y, out);
            std::fill_n(out, taps.rx, 0.0f);
            std::fill_n(out + (w - taps.rx), taps.rx, 0.0f);
        }
    });
}

bool prepare(ClassData2DIO<float>* img, ClassData2DIO<float>* k, CorrelationTaps& taps)
{
    return usable(img) && taps.load(k);
}

// The unfactorised window in the caller's thread.
bool correlateInOneThread(ClassData2DIO<float>* img, ClassData2DIO<float>* k, bool interiorOnly)
{
    CorrelationTaps taps;
    if (!prepare(img, k, taps))
        return false;
    correlateInPlace(*img, taps, 1, interiorOnly);
    return true;
}

} // namespace

bool ConFltMC(ClassData2DIO<float>* img, ClassData2DIO<float>* k)
{
    CorrelationTaps taps;
    if (!prepare(img, k, taps))
        return false;
    taps.factorise();
    correlateInPlace(*img, taps, RowSplit::threadCount(), false);
    return true;
}

bool gConv2(ClassData2DIO<float>* img, ClassData2DIO<float>* k)
{
    return ConFltMC(img, k);
}

bool ConvFltVer0(ClassData2DIO<float>* img, ClassData2DIO<float>* k)
{
    return correlateInOneThread(img, k, false);
}

bool ConvFltVer1(ClassData2DIO<float>* img, ClassData2DIO<float>* k)
{
    CorrelationTaps taps;
    if (!prepare(img, k, taps))
        return false;
    // Rows are visited out of order here, so the result goes to a separate image.
    const int w = img->width;
    const int h = img->height;
    ClassData2DIO<float> result;
    result.SetDim(w, h);
    CorrelationBand band(taps, w, h, [img](int q) -> const float* { return img->rows[q]; });
    const int border = std::min(taps.ry, h);
    for (int y = 0; y < border; ++y) {
        band.computeRow(y, result.rows[y]);
        band.computeRow(h - 1 - y, result.rows[h - 1 - y]);
    }
    for (int y = taps.ry; y < h - taps.ry; ++y)
        band.computeRow(y, result.rows[y]);
    for (int y = 0; y < h; ++y)
        std::memcpy(img->rows[y], result.rows[y], std::size_t(w) * sizeof(float));
    return true;
}

bool ConvFltVer2(ClassData2DIO<float>* img, ClassData2DIO<float>* k)
{
    return correlateInOneThread(img, k, true);
}
