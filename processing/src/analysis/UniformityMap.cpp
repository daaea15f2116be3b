#include "pixorama/workbench/UniformityMap.h"

#include <algorithm>
#include <cstdint>

double gPaintUniformity(const ClassData2DIO<float>& data, bool bottomUp, const ClassData2DIO<int>& label, int key,
                        double u, ClassData2DIO<unsigned char>& r, ClassData2DIO<unsigned char>& g,
                        ClassData2DIO<unsigned char>& b)
{
    if (data.IsEmpty() || label.IsEmpty())
        return 1e-7;
    const int w = std::min({data.width, label.width, r.width, g.width, b.width});
    const int h = std::min({data.height, label.height, r.height, g.height, b.height});
    // The canvas row (label and planes) that shows data row i.
    const auto canvasRow = [&](int i) { return bottomUp ? i : label.height - 1 - i; };
    const auto inside = [&](int i) { const int c = canvasRow(i); return c >= 0 && c < h; };

    double sum = 0.0;
    std::int64_t n = 0;
    for (int i = 0; i < data.height && i < label.height; ++i) {
        const int* l = label.rows[canvasRow(i)];
        for (int k = 0; k < std::min(data.width, label.width); ++k)
            if (l[k] == key) {
                sum += data.rows[i][k];
                ++n;
            }
    }
    const double mean = n > 0 ? sum / double(n) : 1e-7;
    const double high = (1.0 + u) * mean;
    const double low = (1.0 - u) * mean;
    for (int i = 0; i < data.height; ++i) {
        if (!inside(i))
            continue;
        const int c = canvasRow(i);
        const int* l = label.rows[c];
        const float* v = data.rows[i];
        for (int k = 0; k < w; ++k) {
            if (l[k] != key)
                continue;
            if (v[k] > high) {
                r.rows[c][k] = 255;
                g.rows[c][k] = 0;
                b.rows[c][k] = 0;
            }
            if (v[k] < low) {
                r.rows[c][k] = 0;
                g.rows[c][k] = 255;
                b.rows[c][k] = 0;
            }
        }
    }
    return mean;
}
