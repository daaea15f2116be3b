#include "pixorama/workbench/SequenceOps.h"

#include <cmath>

void LinearMap(ClassData2DIO<float>& picture, float a, float b, float c, float d)
{
    if (std::fabs(b - a) < 1e-10f || std::fabs(d - c) < 1e-10f || picture.IsEmpty())
        return;
    const float scale = (d - c) / (b - a);
    for (int y = 0; y < picture.height; ++y) {
        float* row = picture.rows[y];
        for (int x = 0; x < picture.width; ++x) {
            const float v = row[x];
            row[x] = v <= a ? c : v >= b ? d : (v - a) * scale + c;
        }
    }
}
