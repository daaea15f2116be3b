#include "pixorama/common/RasterGeometry.h"

#include <algorithm>

namespace {

int mirror(int value, int size, bool noRepeat)
{
    if (size <= 0)
        return value;
    long long v = value;
    const long long period = 2LL * size;
    if (v < 0)
        v = noRepeat ? -v : -v - 1;
    v %= period; // the same as subtracting the period while v >= period
    if (v >= size)
        v = noRepeat ? period - v - 2 : period - v - 1;
    // Reflecting about the edge pixel with a period of two widths sends
    // 2w - 1 to -1: reflect that once more so the result is always a pixel.
    if (v < 0)
        v = std::min<long long>(-v, size - 1);
    return int(v);
}

} // namespace

void GetBlobOutRect(ClassData2DIO<int>& labels, QEVRECT& box, int key)
{
    box.left = box.top = 10000;
    box.right = box.bottom = -10000;
    if (labels.IsEmpty())
        return;
    for (int y = 0; y < labels.height; ++y) {
        const int* row = labels.rows[y];
        for (int x = 0; x < labels.width; ++x) {
            if (row[x] != key)
                continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    }
}

void mMapXYOutOfIma(int& x, int& y, int w, int h, bool noRepeat)
{
    x = mirror(x, w, noRepeat);
    y = mirror(y, h, noRepeat);
}

bool gIsInRect(int x, int y, int left, int top, int right, int bottom)
{
    return left <= x && x < right && top <= y && y < bottom;
}
