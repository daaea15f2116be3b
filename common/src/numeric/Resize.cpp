#include "pixorama/common/Resize.h"

#include "FloatCopy.h"
#include "SimdFloat.h"
#include "pixorama/common/NumericTruncate.h"
#include "pixorama/common/RowSplit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

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

// h[x] = keep[x] src[index[x]] + take[x] src[index[x] + 1] for x in [from, to).
// Never inlined into the vector build below, where it could become an FMA.
[[gnu::noinline]] void blendRowPlain(const float* src, const Axis& xs, int from, int to, float* h)
{
    for (int x = from; x < to; ++x) {
        const int i = xs.index[std::size_t(x)];
        h[x] = xs.keep[std::size_t(x)] * src[i] + xs.take[std::size_t(x)] * src[i + 1];
    }
}

#if defined(__x86_64__)
// The same, sixteen outputs at a time where their pixel pairs lie within 32
// floats of the first: two permutes of those 32 fetch the pairs. Products
// and sums stay unfused, so that every output is the same float as the
// plain loop's.
#if defined(__clang__)
__attribute__((target("avx512f")))
#else
__attribute__((target("avx512f"), optimize("fp-contract=off")))
#endif
void blendRowPermute(const float* src, int srcWidth, const Axis& xs, int count, float* h)
{
    const int* index = xs.index.data();
    const float* keep = xs.keep.data();
    const float* take = xs.take.data();
    int x = 0;
    for (; x + 16 <= count; x += 16) {
        const int base = index[x];
        if (index[x + 15] - base > 30 || base + 32 > srcWidth) {
            blendRowPlain(src, xs, x, x + 16, h);
            continue;
        }
        const __m512i left = _mm512_sub_epi32(_mm512_loadu_si512(index + x), _mm512_set1_epi32(base));
        const __m512i right = _mm512_add_epi32(left, _mm512_set1_epi32(1));
        const __m512 low = _mm512_loadu_ps(src + base);
        const __m512 high = _mm512_loadu_ps(src + base + 16);
        const __m512 a = _mm512_mul_ps(_mm512_loadu_ps(keep + x), _mm512_permutex2var_ps(low, left, high));
        const __m512 b = _mm512_mul_ps(_mm512_loadu_ps(take + x), _mm512_permutex2var_ps(low, right, high));
        _mm512_storeu_ps(h + x, _mm512_add_ps(a, b));
    }
    blendRowPlain(src, xs, x, count, h);
}

bool hasPermute()
{
    static const bool has = __builtin_cpu_supports("avx512f");
    return has;
}
#endif

// One row of srcWidth floats blended along x into width outputs.
void blendRow(const float* src, int srcWidth, const Axis& xs, int width, float* h)
{
#if defined(__x86_64__)
    if (hasPermute())
        blendRowPermute(src, srcWidth, xs, xs.valid, h);
    else
        blendRowPlain(src, xs, 0, xs.valid, h);
#else
    blendRowPlain(src, xs, 0, xs.valid, h);
#endif
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
            blendRow(src.rows[sy], src.width, xs, w, slot[k]);
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
        blendRow(column.data(), src.width, xs, w, dst.rows[y]);
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
