#pragma once

#include "pixorama/common/ClassData2DIO.h"

#include <functional>
#include <string>

namespace raster_test {

inline ClassData2DIO<int> blank(int w, int h)
{
    ClassData2DIO<int> img;
    img.SetDim(w, h);
    return img;
}

inline int countValue(const ClassData2DIO<int>& img, int value)
{
    int n = 0;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            n += img.rows[y][x] == value;
    return n;
}

// Every pixel where the result differs from expect(x, y) ? value : 0, as
// "(x, y)" items; empty when they all agree.
inline std::string mismatches(const ClassData2DIO<int>& img, int value, const std::function<bool(int, int)>& expect)
{
    std::string out;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            if (img.rows[y][x] == (expect(x, y) ? value : 0))
                continue;
            out += '(';
            out += std::to_string(x);
            out += ", ";
            out += std::to_string(y);
            out += ") ";
        }
    return out;
}

} // namespace raster_test
