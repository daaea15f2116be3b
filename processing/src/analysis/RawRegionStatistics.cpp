#include "pixorama/workbench/RegionStatistics.h"

#include "RegionMoments.h"

#include <algorithm>
#include <limits>

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

namespace {

// Four interleaved lanes, so that the additions of a run do not wait on
// each other.
struct Lanes {
    double sum[4] = {};
    double squares[4] = {};
    float low[4] = {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::infinity(),
                    std::numeric_limits<float>::infinity(), std::numeric_limits<float>::infinity()};
    float high[4] = {-std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                     -std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};
    std::int64_t count = 0;

    void Add(const float* v, int n)
    {
        count += n;
        int i = 0;
        for (; i + 4 <= n; i += 4)
            for (int k = 0; k < 4; ++k)
                Take(k, v[i + k]);
        for (; i < n; ++i)
            Take(0, v[i]);
    }
    void Take(int k, float v)
    {
        const double x = v;
        sum[k] += x;
        squares[k] += x * x;
        low[k] = std::min(low[k], v);
        high[k] = std::max(high[k], v);
    }
    void AddDeviations(const float* v, int n, double mean)
    {
        int i = 0;
        for (; i + 4 <= n; i += 4)
            for (int k = 0; k < 4; ++k)
                sum[k] += (v[i + k] - mean) * (v[i + k] - mean);
        for (; i < n; ++i)
            sum[0] += (v[i] - mean) * (v[i] - mean);
    }
};

} // namespace

RegionMeasures gMeasureRawSpans(const ClassData2DIO<float>& raw, const std::vector<RegionSpan>& spans)
{
    RegionMeasures m;
    const auto inside = [&](const RegionSpan& s) {
        return s.row >= 0 && s.row < raw.height && s.begin >= 0 && s.end <= raw.width && s.begin < s.end;
    };
    Lanes values;
    for (const RegionSpan& s : spans)
        if (inside(s))
            values.Add(raw.rows[s.row] + s.begin, s.end - s.begin);
    RegionMoments moments;
    moments.count = values.count;
    moments.sum = (values.sum[0] + values.sum[1]) + (values.sum[2] + values.sum[3]);
    moments.squares = (values.squares[0] + values.squares[1]) + (values.squares[2] + values.squares[3]);
    moments.minimum = std::min(std::min(values.low[0], values.low[1]), std::min(values.low[2], values.low[3]));
    moments.maximum = std::max(std::max(values.high[0], values.high[1]), std::max(values.high[2], values.high[3]));
    moments.Finish(m);
    Lanes deviations;
    for (const RegionSpan& s : spans)
        if (inside(s))
            deviations.AddDeviations(raw.rows[s.row] + s.begin, s.end - s.begin, m.mean);
    moments.deviations = (deviations.sum[0] + deviations.sum[1]) + (deviations.sum[2] + deviations.sum[3]);
    moments.Deviations(m, 255.0 * 255.0);
    return m;
}

RegionMeasures gMeasureRawRegion(const ClassData2DIO<float>& raw, const ClassData2DIO<int>& label, int key)
{
    if (raw.IsEmpty() || label.IsEmpty())
        return {};
    return gMeasureRawSpans(raw, gRegionSpans(label, key, raw.width, raw.height));
}
