#include "pixorama/workbench/Enhancements.h"

#include "pixorama/common/RowSplit.h"
#include "pixorama/workbench/QEVPyramidDecomposition.h"

#include <algorithm>

namespace {

unsigned char toByte(float v)
{
    return static_cast<unsigned char>(std::clamp(v, 0.0f, 255.0f));
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
            for (int x = 0; x < w; ++x)
                y8.rows[y][x] = toByte(0.299f * r.rows[y][x] + 0.587f * g.rows[y][x] + 0.114f * b.rows[y][x]);
    });
    QEVPyramidDecomposition pyramid;
    pyramid.Run(y8, 4);
    // U and V come from the picture before the enhancement; Y is replaced.
    RowSplit::run(h, [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            unsigned char* pr = r.rows[y];
            unsigned char* pg = g.rows[y];
            unsigned char* pb = b.rows[y];
            for (int x = 0; x < w; ++x) {
                const float lum = 0.299f * pr[x] + 0.587f * pg[x] + 0.114f * pb[x];
                const float u = 0.493f * (pb[x] - lum);
                const float v = 0.877f * (pr[x] - lum);
                const float yn = y8.rows[y][x];
                pr[x] = toByte(yn + 1.14f * v);
                pg[x] = toByte(yn - 0.394f * u - 0.581f * v);
                pb[x] = toByte(yn + 2.032f * u);
            }
        }
    });
}
