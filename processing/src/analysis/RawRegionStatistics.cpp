#include "pixorama/workbench/RegionStatistics.h"

#include "RegionMoments.h"

#include <algorithm>

RegionMeasures gMeasureRawRegion(const ClassData2DIO<float>& raw, const ClassData2DIO<int>& label, int key)
{
    RegionMeasures m;
    if (raw.IsEmpty() || label.IsEmpty())
        return m;
    const int w = std::min(raw.width, label.width);
    const int h = std::min(raw.height, label.height);
    // Raw rows are top-down, label rows bottom-up.
    const auto labelRow = [&](int y) { return label.rows[label.height - 1 - y]; };
    RegionMoments moments;
    for (int y = 0; y < h; ++y) {
        const float* v = raw.rows[y];
        const int* l = labelRow(y);
        for (int x = 0; x < w; ++x)
            if (l[x] == key)
                moments.Add(v[x]);
    }
    moments.Finish(m);
    for (int y = 0; y < h; ++y) {
        const float* v = raw.rows[y];
        const int* l = labelRow(y);
        for (int x = 0; x < w; ++x)
            if (l[x] == key)
                moments.AddDeviation(v[x], 1, m.mean);
    }
    moments.Deviations(m, 255.0 * 255.0);
    return m;
}
