#pragma once

#include "pixorama/workbench/RegionStatistics.h"

#include <cmath>
#include <limits>

// Sums of a region's values in two passes: count, sum, squares and extremes
// first, then the squared deviations from the mean.
struct RegionMoments {
    std::int64_t count = 0;
    double sum = 0.0;
    double squares = 0.0;
    double deviations = 0.0;
    double maximum = 0.0;
    double minimum = 0.0;

    void Add(double v, std::int64_t times = 1)
    {
        if (times <= 0)
            return;
        maximum = count == 0 ? v : std::max(maximum, v);
        minimum = count == 0 ? v : std::min(minimum, v);
        count += times;
        sum += v * double(times);
        squares += v * v * double(times);
    }

    void AddDeviation(double v, std::int64_t times, double mean)
    {
        deviations += (v - mean) * (v - mean) * double(times);
    }

    void Finish(RegionMeasures& m) const
    {
        m.count = count;
        if (count == 0)
            return; // the empty region keeps the measures' defaults
        m.maximum = maximum;
        m.minimum = minimum;
        m.mean = sum / double(count);
    }

    // fullScaleSquare: 255^2 for the PSNR of 8-bit data.
    void Deviations(RegionMeasures& m, double fullScaleSquare) const
    {
        const double n = double(count);
        m.stdevp = std::sqrt(deviations / n);
        m.stdev = count > 1 ? std::sqrt(deviations / (n - 1.0)) : std::numeric_limits<double>::quiet_NaN();
        m.snr = 10.0 * std::log(squares / deviations);
        m.psnr = 10.0 * std::log(n * fullScaleSquare / deviations);
    }
};
