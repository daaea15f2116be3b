#pragma once

// An image rectangle with inclusive corners: it covers columns left..right and
// rows top..bottom, so width = right - left + 1. The constructor and SetValue
// take the x pair first, then the y pair.
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

private:
    // Wraps instead of overflowing for extreme corners.
    static int span(int from, int to) { return int(unsigned(to) - unsigned(from) + 1u); }
};
