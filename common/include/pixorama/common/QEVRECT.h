#pragma once

#include "pixorama/common/PointTemplateBase.h"

// An image rectangle with inclusive corners: it covers columns left..right and
// rows top..bottom, so width = right - left + 1. The constructor and SetValue
// take the x pair first, then the y pair. Only the constructors, SetValue,
// GetW, GetH and assignment refresh the cached width and height; the moving
// and resizing operations leave them as they were.
class QEVRECT {
public:
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width = 1;
    int height = 1;

    QEVRECT() = default;
    QEVRECT(int l, int r, int t, int b) { SetValue(l, r, t, b); }

    void SetValue(int l, int r, int t, int b)
    {
        left = l;
        right = r;
        top = t;
        bottom = b;
        width = span(l, r);
        height = span(t, b);
    }

    int GetW();
    int GetH();

    // Moves all four sides.
    void AddPoint(PointTemplateBase<int> p);
    void OffSetRect(int dx, int dy);
    // Deflate moves each side inwards by its amount, Inflate outwards.
    void Deflate(int l, int r, int t, int b);
    void Inflate(int l, int r, int t, int b);

    // Inclusive on all four sides.
    bool IsInRect(PointTemplateBase<int> p) const;
    // Pulls p into columns left..right - 1 and rows top..bottom - 1.
    void Clamp(PointTemplateBase<int>& p) const;
    // Cuts the rectangle to a w x h image.
    void ClampInIma(int w, int h);

private:
    // Wraps instead of overflowing for extreme corners.
    static int span(int from, int to) { return int(unsigned(to) - unsigned(from) + 1u); }
};
