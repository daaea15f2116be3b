#include "pixorama/tilemo/ViewGrid.h"

#include <cmath>

namespace {

constexpr int t = ViewGrid::barThickness;

// extent x ratio, truncated toward zero and clamped to [-t, limit]. The
// product is a float, as the ratios are; NaN counts as the low end.
int share(int extent, float ratio, int limit)
{
    const float v = float(extent) * ratio;
    if (!(v > float(-t)))
        return -t;
    if (v >= float(limit))
        return limit;
    return int(v);
}

// position / extent, or the old ratio when the extent leaves nothing to share.
float ratioOf(int position, int extent, float old)
{
    return extent > 0 ? float(position) / float(extent) : old;
}

} // namespace

void ViewGrid::setLayOut(float gridRatio, float rowRatio, float columnRatio, bool max)
{
    r0 = gridRatio;
    ry = rowRatio;
    rx = columnRatio;
    maximised = max;
    if (max) {
        savedRy = 0.5f;
        savedRx = 0.5f;
    }
}

void ViewGrid::toggleMaximise(int index)
{
    if (!respondToMax)
        return;
    maximised = !maximised;
    if (!maximised) {
        ry = savedRy;
        rx = savedRx;
        return;
    }
    savedRy = ry;
    savedRx = rx;
    switch (index) {
    case 0: ry = 1.0f; rx = 1.2f; break;
    case 1: ry = 1.0f; rx = -0.2f; break;
    case 2: ry = 0.0f; rx = 1.2f; break;
    case 4: ry = 0.0f; rx = -0.2f; break;
    default: break;
    }
}

void ViewGrid::barMoved(int barId, int position, int width, int height)
{
    switch (barId) {
    case gridBarId:
        r0 = ratioOf(position, height - t, r0);
        break;
    case rowBarId: {
        const int g = compute(width, height).gridHeight;
        const int p = position < -t ? -t : (position > g ? g : position);
        ry = ratioOf(p, g, ry);
        break;
    }
    case columnBarId:
        rx = ratioOf(position, width - t, rx);
        break;
    default:
        break;
    }
}

ViewGridRects ViewGrid::compute(int width, int height) const
{
    const int w = width;
    const int h = height;
    ViewGridRects out;
    const int g = share(h - t, r0, h);
    const int a = share(g - t, ry, h);
    const int c = share(w - t, rx, w);
    out.gridHeight = g;
    out.topRowHeight = a;
    out.leftColumnWidth = c;
    out.gridBar = {0, g, w, g + t};
    out.info = {0, g + t, w, h};
    out.rowBar = {0, a, w, a + t};
    out.columnBar = {c, 0, c + t, g};
    out.views[0] = {0, 0, c, a};
    out.views[1] = {c + t, 0, w, a};
    out.views[2] = {0, a + t, c, g};
    out.views[3] = {c + t, a + t, w, g};
    return out;
}
