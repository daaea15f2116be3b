#include "pixorama/workbench/ColourAdjustments.h"

#include <algorithm>
#include <cmath>

namespace {

// Screen point (x, y), row 0 at the top, bilinear; beyond half a pixel
// outside the picture reads 0.
float sampleScreen(const Plane& p, float x, float y)
{
    const int w = p.width;
    const int h = p.height;
    if (x < -0.5f || y < -0.5f || x > float(w) - 0.5f || y > float(h) - 0.5f)
        return 0.0f;
    x = std::clamp(x, 0.0f, float(w - 1));
    y = std::clamp(y, 0.0f, float(h - 1));
    const int x0 = static_cast<int>(x);
    const int y0 = static_cast<int>(y);
    const int x1 = std::min(x0 + 1, w - 1);
    const int y1 = std::min(y0 + 1, h - 1);
    const float fx = x - float(x0);
    const float fy = y - float(y0);
    const unsigned char* r0 = p.rows[h - 1 - y0];
    const unsigned char* r1 = p.rows[h - 1 - y1];
    const float top = r0[x0] + (r0[x1] - r0[x0]) * fx;
    const float bottom = r1[x0] + (r1[x1] - r1[x0]) * fx;
    return top + (bottom - top) * fy;
}

// out(screen x, y) = in(source(x, y)), bilinear.
template <typename Source>
void resample(Plane& plane, Source source)
{
    const Plane in = plane;
    const int w = plane.width;
    const int h = plane.height;
    for (int y = 0; y < h; ++y) {
        unsigned char* out = plane.rows[h - 1 - y];
        for (int x = 0; x < w; ++x) {
            float sx = float(x);
            float sy = float(y);
            if (source(float(x), float(y), sx, sy))
                out[x] = static_cast<unsigned char>(std::clamp(sampleScreen(in, sx, sy) + 0.5f, 0.0f, 255.0f));
        }
    }
}

int wrapped(long long v, int n)
{
    const long long m = v % n;
    return int(m < 0 ? m + n : m);
}

} // namespace

void gAdjustShiftX(Plane& plane, float value)
{
    if (plane.IsEmpty())
        return;
    const int w = plane.width;
    const int dx = wrapped(static_cast<long long>(value * 2.0f * float(w)), w);
    if (dx == 0)
        return;
    for (int y = 0; y < plane.height; ++y)
        std::rotate(plane.rows[y], plane.rows[y] + (w - dx), plane.rows[y] + w);
}

void gAdjustShiftY(Plane& plane, float value)
{
    if (plane.IsEmpty())
        return;
    const int h = plane.height;
    const int dy = wrapped(static_cast<long long>(value * 2.0f * float(h)), h);
    if (dy == 0)
        return;
    // Down on screen is towards lower memory rows.
    const Plane in = plane;
    for (int r = 0; r < h; ++r)
        std::copy(in.rows[r], in.rows[r] + plane.width, plane.rows[wrapped(r - dy, h)]);
}

void gAdjustRotation(Plane& plane, float value)
{
    const float degrees = (value - 0.5f) * 360.0f;
    if (plane.IsEmpty() || degrees == 0.0f)
        return;
    const float a = degrees * 6.2831852f / 360.0f;
    const float c = std::cos(a);
    const float s = std::sin(a);
    const float cx = (plane.width - 1) / 2.0f;
    const float cy = (plane.height - 1) / 2.0f;
    // Counter-clockwise on screen (y down): the source is the point turned back.
    resample(plane, [&](float x, float y, float& sx, float& sy) {
        const float dx = x - cx;
        const float dy = y - cy;
        sx = cx + c * dx - s * dy;
        sy = cy + s * dx + c * dy;
        return true;
    });
}

void gAdjustMagnify(Plane& plane, float value, int centreX, int centreY, int radius)
{
    const float strength = std::clamp(value * 100.0f, 0.0f, 100.0f) / 200.0f;
    if (plane.IsEmpty() || radius <= 0 || strength == 0.0f)
        return;
    const float r2 = float(radius) * float(radius);
    resample(plane, [&](float x, float y, float& sx, float& sy) {
        const float dx = x - float(centreX);
        const float dy = y - float(centreY);
        const float d2 = dx * dx + dy * dy;
        if (d2 >= r2)
            return false;
        // Scale 1 - strength at the centre rising smoothly to 1 at the rim.
        const float k = 1.0f - strength * (1.0f - d2 / r2);
        sx = float(centreX) + dx * k;
        sy = float(centreY) + dy * k;
        return true;
    });
}
