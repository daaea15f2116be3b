#pragma once

#include "pixorama/workbench/ColourPlanes.h"

#include <array>
#include <functional>

// Three planes filled from colour(x, y), with ColourPlanes over them. Row y
// here is plane row y (the effects see canvas memory order).
struct TestPlanes {
    using Rgb = std::array<int, 3>;

    ClassData2DIO<unsigned char> r, g, b;

    TestPlanes(int w, int h, const std::function<Rgb(int x, int y)>& colour)
    {
        r.SetDim(w, h);
        g.SetDim(w, h);
        b.SetDim(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Rgb c = colour(x, y);
                r.rows[y][x] = static_cast<unsigned char>(c[0]);
                g.rows[y][x] = static_cast<unsigned char>(c[1]);
                b.rows[y][x] = static_cast<unsigned char>(c[2]);
            }
    }
    TestPlanes(int w, int h, Rgb colour) : TestPlanes(w, h, [colour](int, int) { return colour; }) {}

    ColourPlanes Planes() { return ColourPlanes{r, g, b}; }
    Rgb At(int x, int y) const { return {r.rows[y][x], g.rows[y][x], b.rows[y][x]}; }
    bool SameAs(const TestPlanes& o) const
    {
        for (int y = 0; y < r.height; ++y)
            for (int x = 0; x < r.width; ++x)
                if (At(x, y) != o.At(x, y))
                    return false;
        return true;
    }
};
