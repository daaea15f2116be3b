#include "pixorama/common/FFTMT.h"

#include "FftKernel.h"
#include "Transpose.h"
#include "pixorama/common/QEVPP1DFFT.h"
#include "pixorama/common/RowSplit.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

bool usable(const ClassData2DIO<float>* img)
{
    return img != nullptr && img->data != nullptr && img->width > 0 && img->height > 0;
}

bool samePair(const ClassData2DIO<float>* re, const ClassData2DIO<float>* im)
{
    return usable(re) && usable(im) && re != im && re->width == im->width && re->height == im->height;
}

bool isPowerOfTwo(int n)
{
    return n > 0 && QEVPP1DFFT::CheckInputToFFT(n);
}

// Rows of a pair, through the twiddles of plan; each worker owns its own
// ping-pong buffers and writes only its rows.
void transformRows(ClassData2DIO<float>& re, ClassData2DIO<float>& im, const QEVPP1DFFT& plan)
{
    const int w = plan.size;
    const float* cosT = plan.forward ? plan.cosFwd : plan.cosInv;
    const float* sinT = plan.forward ? plan.sinFwd : plan.sinInv;
    RowSplit::run(re.height, [&](int begin, int end) {
        ClassData2DIO<float> work;
        work.SetDim(w, 2);
        for (int y = begin; y < end; ++y) {
            float* r = re.rows[y];
            float* i = im.rows[y];
            if (fftStockham(r, i, work.rows[0], work.rows[1], w, plan.stages, cosT, sinT)) {
                std::memcpy(r, work.rows[0], std::size_t(w) * sizeof(float));
                std::memcpy(i, work.rows[1], std::size_t(w) * sizeof(float));
            }
            if (!plan.forward)
                scaleComplex(r, i, w, plan.invSize);
        }
    });
}

// Out-of-place transpose of src into dst (already sized height x width),
// spread over the workers by bands of source rows.
void transposeInto(const ClassData2DIO<float>& src, ClassData2DIO<float>& dst)
{
    constexpr int band = 32;
    const int bands = (src.height + band - 1) / band;
    RowSplit::run(bands, [&](int begin, int end) {
        transposeRows(src.data, src.width, dst.data, dst.width, begin * band, std::min(src.height, end * band),
                      src.width);
    });
}

void transposeSquareInPlace(ClassData2DIO<float>& img)
{
    const int n = img.width;
    const int tile = std::min(n, 32);
    const int tiles = n / tile;
    std::vector<std::pair<int, int>> pairs;
    pairs.reserve(std::size_t(tiles) * std::size_t(tiles + 1) / 2);
    for (int i = 0; i < tiles; ++i)
        for (int j = i; j < tiles; ++j)
            pairs.emplace_back(i, j);
    RowSplit::run(int(pairs.size()), [&](int begin, int end) {
        for (int p = begin; p < end; ++p)
            swapTransposeTiles(img.data, n, tile, pairs[std::size_t(p)].first, pairs[std::size_t(p)].second);
    });
}

} // namespace

bool FFTMT1D(ClassData2DIO<float>* re, ClassData2DIO<float>* im, bool forward)
{
    if (!samePair(re, im) || !isPowerOfTwo(re->width))
        return false;
    QEVPP1DFFT plan;
    plan.Init(re->width, forward);
    transformRows(*re, *im, plan);
    return true;
}

bool FFTMT2D(ClassData2DIO<float>* re, ClassData2DIO<float>* im, bool forward)
{
    if (!samePair(re, im) || !isPowerOfTwo(re->width) || !isPowerOfTwo(re->height))
        return false;
    FFTMT1D(re, im, forward);
    if (re->width == re->height) {
        transposeSquareInPlace(*re);
        transposeSquareInPlace(*im);
        FFTMT1D(re, im, forward);
        transposeSquareInPlace(*re);
        transposeSquareInPlace(*im);
        return true;
    }
    ClassData2DIO<float> tRe;
    ClassData2DIO<float> tIm;
    tRe.SetDim(re->height, re->width);
    tIm.SetDim(re->height, re->width);
    transposeInto(*re, tRe);
    transposeInto(*im, tIm);
    FFTMT1D(&tRe, &tIm, forward);
    transposeInto(tRe, *re);
    transposeInto(tIm, *im);
    return true;
}

void FFTShift(ClassData2DIO<float>* img)
{
    if (!usable(img))
        return;
    const int w = img->width;
    const int h = img->height;
    const ClassData2DIO<float> src(*img);
    const int sx = w / 2;
    const std::size_t headBytes = std::size_t(w - sx) * sizeof(float);
    const std::size_t tailBytes = std::size_t(sx) * sizeof(float);
    for (int y = 0; y < h; ++y) {
        const float* in = src.rows[(y + h / 2) % h];
        float* out = img->rows[y];
        std::memcpy(out, in + sx, headBytes);
        std::memcpy(out + (w - sx), in, tailBytes);
    }
}
