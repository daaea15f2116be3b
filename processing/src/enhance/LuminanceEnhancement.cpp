#include "pixorama/workbench/Enhancements.h"

#include "pixorama/common/RowSplit.h"
#include "pixorama/workbench/QEVPyramidDecomposition.h"

#include "HotKernel.h"

#include <algorithm>

namespace {

inline unsigned char toByte(float v)
{
    return static_cast<unsigned char>(std::clamp(v, 0.0f, 255.0f));
}

inline float lumaOf(float r, float g, float b)
{
    return 0.299f * r + 0.587f * g + 0.114f * b;
}

PIX_WB_HOT void lumaRow(const unsigned char* r, const unsigned char* g, const unsigned char* b, unsigned char* y, int n)
{
    for (int x = 0; x < n; ++x)
        y[x] = toByte(lumaOf(r[x], g[x], b[x]));
}

// U and V come from the picture before the enhancement; Y is the new one.
PIX_WB_HOT void colourRow(unsigned char* r, unsigned char* g, unsigned char* b, const unsigned char* yNew, int n)
{
    for (int x = 0; x < n; ++x) {
        const float lum = lumaOf(r[x], g[x], b[x]);
        const float u = 0.493f * (b[x] - lum);
        const float v = 0.877f * (r[x] - lum);
        const float y = yNew[x];
        r[x] = toByte(y + 1.14f * v);
        g[x] = toByte(y - 0.394f * u - 0.581f * v);
        b[x] = toByte(y + 2.032f * u);
    }
}

} // namespace

void gEnhanceLuminance(ClassData2DIO<unsigned char>& r, ClassData2DIO<unsigned char>& g,
                       ClassData2DIO<unsigned char>& b)
{
    if (r.IsEmpty())
        return;
    const int w = r.width;
    const int h = r.height;
    QEVUCDATA2D y8;
    y8.SetDim(w, h);
    RowSplit::run(h, [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            lumaRow(r.rows[y], g.rows[y], b.rows[y], y8.rows[y], w);
    });
    QEVPyramidDecomposition pyramid;
    pyramid.Run(y8, 4);
    RowSplit::run(h, [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            colourRow(r.rows[y], g.rows[y], b.rows[y], y8.rows[y], w);
    });
}
