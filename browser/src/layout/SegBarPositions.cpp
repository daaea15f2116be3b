#include "pixorama/brovia/SegBarPositions.h"

#include <algorithm>
#include <cmath>

namespace {

bool near(float a, float b)
{
    return std::fabs(a - b) < SegBarPositions::snapDistance;
}

} // namespace

void SegBarPositions::SetCount(int n)
{
    pos.assign(std::max(0, n), 0.0f);
    for (int i = 0; i < n; ++i)
        pos[i] = float(i) / float(n);
}

void SegBarPositions::Snap()
{
    const int n = Count();
    for (int i = 1; i < n; ++i) {
        const bool last = i == n - 1;
        const float below = pos[i - 1] + spacing;
        if (!last && near(pos[i], below))
            pos[i] = below;
        const float limit = last ? below : pos[i + 1] - spacing;
        if (near(pos[i], limit))
            pos[i] = limit;
    }
}

void SegBarPositions::Move(int k, float delta)
{
    const int n = Count();
    if (k < 1 || k >= n)
        return;
    const float v = pos[k] + delta;
    const float lower = pos[k - 1] + spacing;
    if (k == n - 1) {
        // The last bar never leaves the client area.
        pos[k] = v > lower ? (near(v, lower) ? lower : std::min(v, 1.0f)) : lower;
        return;
    }
    const float upper = pos[k + 1] - spacing;
    if (v > lower && v < upper) {
        pos[k] = near(v, lower) ? lower : near(v, upper) ? upper : v;
        return;
    }
    pos[k] = v <= lower ? lower : upper;
}

void SegBarPositions::Maximise(int k)
{
    const int n = Count();
    for (int i = 0; i < n; ++i)
        pos[i] = i <= k ? float(i) * spacing : 1.0f - float(n - i - 1) * spacing;
}
