#include "FloatStretch.h"

#include "pixorama/common/RowSplit.h"

#include "HotKernel.h"

#include <algorithm>
#include <vector>

namespace {

PIX_WB_HOT void rowRange(const float* in, int n, float& low, float& high)
{
    float lo = in[0];
    float hi = in[0];
    for (int x = 1; x < n; ++x) {
        lo = std::min(lo, in[x]);
        hi = std::max(hi, in[x]);
    }
    low = lo;
    high = hi;
}

PIX_WB_HOT void stretchRow(const float* in, unsigned char* out, int n, float low, float scale)
{
    for (int x = 0; x < n; ++x)
        out[x] = static_cast<unsigned char>(std::min((in[x] - low) * scale, 255.0f));
}

} // namespace

void gFloatRange(const ClassData2DIO<float>& in, float& low, float& high)
{
    std::vector<float> lows(static_cast<std::size_t>(in.height));
    std::vector<float> highs(static_cast<std::size_t>(in.height));
    RowSplit::run(in.height, [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            rowRange(in.rows[y], in.width, lows[std::size_t(y)], highs[std::size_t(y)]);
    });
    low = *std::min_element(lows.begin(), lows.end());
    high = *std::max_element(highs.begin(), highs.end());
}

bool gStretchToBytes(const ClassData2DIO<float>& in, ClassData2DIO<unsigned char>& out, float minRange)
{
    if (in.IsEmpty())
        return false;
    float low = 0.0f;
    float high = 0.0f;
    gFloatRange(in, low, high);
    if (high - low < minRange)
        return false;
    if (out.width != in.width || out.height != in.height || out.IsEmpty())
        out.SetDim(in.width, in.height);
    const float scale = 255.0f / (high - low);
    RowSplit::run(in.height, [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            stretchRow(in.rows[y], out.rows[y], in.width, low, scale);
    });
    return true;
}
