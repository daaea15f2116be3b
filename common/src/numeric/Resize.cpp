#include "pixorama/common/Resize.h"

#include "FloatCopy.h"
#include "SimdFloat.h"
#include "pixorama/common/NumericTruncate.h"
#include "pixorama/common/RowSplit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

bool usable(const ClassData2DIO<float>* img)
{
    return img != nullptr && img->data != nullptr && img->width > 0 && img->height > 0;
}

// Where the output coordinates of one axis sample the source: output i blends
// source pixels index[i] and index[i] + 1 with weights (1 - a, a). Positions
// grow with i, so the outputs that have a pixel pair form a prefix of length valid.
struct Axis {
    std::vector<int> index;
    std::vector<float> keep; // 1 - a
    std::vector<float> take; // a
    int valid = 0;

    Axis(int srcSize, int dstSize)
    {
        const float scale = float(srcSize) / float(dstSize);
        for (int i = 0; i < dstSize; ++i) {
            const float f = float(i) * scale;
            const float fl = std::floor(f);
            if (fl > float(srcSize - 2))
                break;
            index.push_back(int(fl));
            take.push_back(f - fl);
            keep.push_back(1.0f - (f - fl));
        }
        valid = int(index.size());
    }
};

// h[x] = keep[x] src[index[x]] + take[x] src[index[x] + 1] for x < count.
void blendRowPlain(const float* src, const Axis& xs, int count, float* h)
{
    for (int x = 0; x < count; ++x) {
        const int i = xs.index[std::size_t(x)];
        h[x] = xs.keep[std::size_t(x)] * src[i] + xs.take[std::size_t(x)] * src[i + 1];
    }
}

void blendRow(const float* src, const Axis& xs, int width, float* h)
{
    blendRowPlain(src, xs, xs.valid, h);
    std::fill(h + xs.valid, h + width, 0.0f);
}

PIX_HOT_KERNEL
void blendColumns(const float* top, const float* bottom, float ay, int count, float* out)
{
    const float by = 1.0f - ay;
    for (int x = 0; x < count; ++x)
        out[x] = by * top[x] + ay * bottom[x];
}

// Output rows begin..end-1, blending along x first. Rows blended along x are
// kept for the next output row, which on an enlargement reads them again.
void resizeRowsAcrossFirst(const ClassData2DIO<float>& src, ClassData2DIO<float>& dst, const Axis& xs, const Axis& ys,
                int begin, int end)
{
    const int w = dst.width;
    std::vector<float> cache(2 * std::size_t(w));
    float* slot[2] = {cache.data(), cache.data() + w};
    int tag[2] = {-1, -1};
    auto blended = [&](int sy) -> const float* {
        const int k = sy & 1;
        if (tag[k] != sy) {
            blendRow(src.rows[sy], xs, w, slot[k]);
            tag[k] = sy;
        }
        return slot[k];
    };
    for (int y = begin; y < end; ++y) {
        const int sy = ys.index[std::size_t(y)];
        blendColumns(blended(sy), blended(sy + 1), ys.take[std::size_t(y)], w, dst.rows[y]);
    }
}

// Output rows begin..end-1, blending the two source rows first: fewer
// scattered reads when the image loses rows.
void resizeRowsDownFirst(const ClassData2DIO<float>& src, ClassData2DIO<float>& dst, const Axis& xs, const Axis& ys,
                         int begin, int end)
{
    const int w = dst.width;
    std::vector<float> column(static_cast<std::size_t>(src.width));
    for (int y = begin; y < end; ++y) {
        const int sy = ys.index[std::size_t(y)];
        blendColumns(src.rows[sy], src.rows[sy + 1], ys.take[std::size_t(y)], src.width, column.data());
        blendRow(column.data(), xs, w, dst.rows[y]);
    }
}

bool resize(ClassData2DIO<float>* src, ClassData2DIO<float>* dst, int threads)
{
    if (!usable(src) || !usable(dst) || src == dst)
        return false;
    const Axis xs(src->width, dst->width);
    const Axis ys(src->height, dst->height);
    const bool downFirst = dst->height < src->height;
    RowSplit::run(dst->height, threads, [&](int begin, int end) {
        // Rows past the last pair of source rows stay black.
        const int blended = std::min(end, ys.valid);
        for (int y = std::max(begin, blended); y < end; ++y)
            std::fill(dst->rows[y], dst->rows[y] + dst->width, 0.0f);
        if (downFirst)
            resizeRowsDownFirst(*src, *dst, xs, ys, begin, blended);
        else
            resizeRowsAcrossFirst(*src, *dst, xs, ys, begin, blended);
    });
    return true;
}

} // namespace

bool ResizeMC(ClassData2DIO<float>* src, ClassData2DIO<float>* dst)
{
    return resize(src, dst, RowSplit::threadCount());
}

bool ResizeSC(ClassData2DIO<float>* src, ClassData2DIO<float>* dst)
{
    return resize(src, dst, 1);
}

bool Resize(ClassData2DIO<float>& img, int w, int h)
{
    if (w < 1 || h < 1 || !usable(&img))
        return false;
    ClassData2DIO<float> out;
    out.SetDim(w, h);
    ResizeMC(&img, &out);
    img = out;
    return true;
}

bool Resize(ClassData2DIO<unsigned short>& img, int w, int h)
{
    if (w < 1 || h < 1 || img.data == nullptr || img.width <= 0 || img.height <= 0)
        return false;
    ClassData2DIO<float> in = pixFloatCopy(img);
    ClassData2DIO<float> out;
    out.SetDim(w, h);
    ResizeMC(&in, &out);
    img.SetDim(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.rows[y][x] = pixConvertTruncated<unsigned short>(out.rows[y][x]);
    return true;
}
