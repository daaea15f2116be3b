#include "pixorama/common/QEVRECT.h"

#include <algorithm>

namespace {

// Wrap instead of overflowing, like the cached size.
int plus(int value, int by)
{
    return int(unsigned(value) + unsigned(by));
}

int minus(int value, int by)
{
    return int(unsigned(value) - unsigned(by));
}

} // namespace

int QEVRECT::GetW()
{
    width = span(left, right);
    return width;
}

int QEVRECT::GetH()
{
    height = span(top, bottom);
    return height;
}

void QEVRECT::AddPoint(PointTemplateBase<int> p)
{
    OffSetRect(p.x, p.y);
}

void QEVRECT::OffSetRect(int dx, int dy)
{
    left = plus(left, dx);
    right = plus(right, dx);
    top = plus(top, dy);
    bottom = plus(bottom, dy);
}

void QEVRECT::Deflate(int l, int r, int t, int b)
{
    left = plus(left, l);
    right = minus(right, r);
    top = plus(top, t);
    bottom = minus(bottom, b);
}

void QEVRECT::Inflate(int l, int r, int t, int b)
{
    left = minus(left, l);
    right = plus(right, r);
    top = minus(top, t);
    bottom = plus(bottom, b);
}

bool QEVRECT::IsInRect(PointTemplateBase<int> p) const
{
    return left <= p.x && p.x <= right && top <= p.y && p.y <= bottom;
}

void QEVRECT::Clamp(PointTemplateBase<int>& p) const
{
    // Written out rather than std::clamp: an empty rectangle (right <= left)
    // is allowed and then gives right - 1.
    p.x = std::min(std::max(p.x, left), minus(right, 1));
    p.y = std::min(std::max(p.y, top), minus(bottom, 1));
}

void QEVRECT::ClampInIma(int w, int h)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, minus(w, 1));
    bottom = std::min(bottom, minus(h, 1));
}
