#include "BeamWeights.h"

#include <algorithm>
#include <cmath>
#include <numbers>

std::vector<double> HalfFanWeights(const CtGeometry& g)
{
    std::vector<double> weights(std::size_t(g.columns), 1.0);
    if (!g.halfFan)
        return weights;
    const double axis = g.centreColumn();
    const double left = axis + 0.5;
    const double right = g.columns - 0.5 - axis;
    const double band = std::max(std::min(left, right), 1.0);
    // Distance from the axis towards the wide side of the detector.
    const double toWide = right >= left ? 1.0 : -1.0;
    for (int j = 0; j < g.columns; ++j) {
        const double d = (j - axis) * toWide;
        double w = 2.0;
        if (d <= -band)
            w = 0.0;
        else if (d < band) {
            const double s = std::sin(std::numbers::pi / 4 * (d + band) / band);
            w = 2 * s * s;
        }
        weights[std::size_t(j)] = w;
    }
    return weights;
}

double BackProjectionScale(const CtGeometry& g)
{
    return g.duAtAxis() * std::abs(g.step()) * (2 * std::numbers::pi / g.turn());
}
