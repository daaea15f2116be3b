#include "pixorama/workbench/RegionStatistics.h"

#include "RegionMoments.h"

#include <algorithm>

std::vector<RegionSpan> gRegionSpans(const ClassData2DIO<int>& label, int key, int width, int height)
{
    std::vector<RegionSpan> spans;
    const int w = std::min(width, label.width);
    const int h = std::min(height, label.height);
    for (int y = 0; y < h; ++y) {
        // Raw rows are top-down, label rows bottom-up.
        const int* l = label.rows[label.height - 1 - y];
        for (int x = 0; x < w;) {
            if (l[x] != key) {
                ++x;
                continue;
            }
            const int begin = x;
            while (x < w && l[x] == key)
                ++x;
            spans.push_back({y, begin, x});
        }
    }
    return spans;
}

RegionMeasures gMeasureRawSpans(const ClassData2DIO<float>& raw, const std::vector<RegionSpan>& spans)
{
    RegionMeasures m;
    const auto inside = [&](const RegionSpan& s) { return s.row >= 0 && s.row < raw.height && s.begin >= 0 && s.end <= raw.width; };
    RegionMoments moments;
    for (const RegionSpan& s : spans)
        if (inside(s))
            for (const float* v = raw.rows[s.row] + s.begin; v != raw.rows[s.row] + s.end; ++v)
                moments.Add(*v);
    moments.Finish(m);
    for (const RegionSpan& s : spans)
        if (inside(s))
            for (const float* v = raw.rows[s.row] + s.begin; v != raw.rows[s.row] + s.end; ++v)
                moments.AddDeviation(*v, 1, m.mean);
    moments.Deviations(m, 255.0 * 255.0);
    return m;
}

RegionMeasures gMeasureRawRegion(const ClassData2DIO<float>& raw, const ClassData2DIO<int>& label, int key)
{
    if (raw.IsEmpty() || label.IsEmpty())
        return {};
    return gMeasureRawSpans(raw, gRegionSpans(label, key, raw.width, raw.height));
}
