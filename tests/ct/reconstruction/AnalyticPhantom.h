#pragma once

// Exact line integrals and point values of the modified Shepp-Logan phantom
// (ellipsoids; a 2-D slice is the plane z = 0 of cylinders) and of a disc,
// and the rays of a scan as CtGeometry.h defines them.
#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/workbench/CtGeometry.h"
#include "pixorama/workbench/SheppLoganPhantom.h"

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace phantom {

using Vec = std::array<double, 3>;

struct Ellipsoid {
    Vec centre;
    Vec axes;
    double phi; // rotation about z, degrees
    double density;
};

// Unit phantom scaled by `scale` mm; flat gives the 2-D phantom (infinite along z).
inline std::vector<Ellipsoid> SheppLogan(double scale, bool flat)
{
    const double deep = 1e6;
    std::vector<Ellipsoid> out;
    for (const SheppLoganEllipsoid& r : SheppLoganHead())
        out.push_back({{r.x * scale, r.y * scale, flat ? 0 : r.z * scale},
                       {r.a * scale, r.b * scale, flat ? deep : r.c * scale}, r.phi, r.density});
    return out;
}

inline std::vector<Ellipsoid> Disc(double radius, double density)
{
    return {{{0, 0, 0}, {radius, radius, 1e6}, 0, density}};
}

// The point (or direction) in the ellipsoid's frame, in units of its axes.
inline Vec local(const Ellipsoid& e, const Vec& p, bool direction)
{
    const double a = e.phi * std::numbers::pi / 180, c = std::cos(a), s = std::sin(a);
    const Vec q = direction ? p : Vec{p[0] - e.centre[0], p[1] - e.centre[1], p[2] - e.centre[2]};
    return {(c * q[0] + s * q[1]) / e.axes[0], (-s * q[0] + c * q[1]) / e.axes[1], q[2] / e.axes[2]};
}

// Integral of the density along the whole line through `from` and `to`.
inline double LineIntegral(const std::vector<Ellipsoid>& body, const Vec& from, const Vec& to)
{
    Vec d{to[0] - from[0], to[1] - from[1], to[2] - from[2]};
    const double len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    for (double& c : d)
        c /= len;
    double sum = 0;
    for (const Ellipsoid& e : body) {
        const Vec q = local(e, from, false), k = local(e, d, true);
        const double a = k[0] * k[0] + k[1] * k[1] + k[2] * k[2];
        const double b = q[0] * k[0] + q[1] * k[1] + q[2] * k[2];
        const double c = q[0] * q[0] + q[1] * q[1] + q[2] * q[2] - 1;
        const double disc = b * b - a * c;
        if (disc > 0)
            sum += e.density * 2 * std::sqrt(disc) / a;
    }
    return sum;
}

inline double Density(const std::vector<Ellipsoid>& body, const Vec& p)
{
    double sum = 0;
    for (const Ellipsoid& e : body) {
        const Vec q = local(e, p, false);
        if (q[0] * q[0] + q[1] * q[1] + q[2] * q[2] <= 1)
            sum += e.density;
    }
    return sum;
}

// Slice k of the reconstruction grid, each pixel the mean of 4 x 4 points.
inline ClassData2DIO<float> Render(const std::vector<Ellipsoid>& body, const CtGeometry& g, int k)
{
    ClassData2DIO<float> out;
    out.SetDim(g.size, g.size);
    const double half = 0.5 * (g.size - 1);
    const double z = (k - half) * g.pixel;
    for (int r = 0; r < g.size; ++r)
        for (int c = 0; c < g.size; ++c) {
            double sum = 0;
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j < 4; ++j)
                    sum += Density(body, {(c - half + (j - 1.5) / 4) * g.pixel, (r - half + (i - 1.5) / 4) * g.pixel, z});
            out.rows[r][c] = float(sum / 16);
        }
    return out;
}

// The ray of detector pixel (column, row) in view i: from the source (far
// behind the object for parallel beam) to the pixel.
inline void Ray(const CtGeometry& g, int view, int column, int row, Vec& from, Vec& to)
{
    const double th = g.angle(view), c = std::cos(th), s = std::sin(th);
    const double u = (column - g.centreColumn()) * g.du;
    const double back = g.beam == Beam::Parallel ? 1e4 : g.sod;
    const double front = g.beam == Beam::Parallel ? -1e4 : g.sod - g.sdd;
    const double lateralFrom = g.beam == Beam::Parallel ? u : 0;
    from = {lateralFrom * c - back * s, lateralFrom * s + back * c, 0};
    to = {u * c - front * s, u * s + front * c,
          g.beam == Beam::Cone ? (row - g.centreRow()) * g.du : 0};
}

// Exact projections: the sinogram of one detector row.
inline ClassData2DIO<float> Sinogram(const std::vector<Ellipsoid>& body, const CtGeometry& g, int detectorRow = 0)
{
    ClassData2DIO<float> out;
    out.SetDim(g.columns, g.views);
    for (int v = 0; v < g.views; ++v)
        for (int j = 0; j < g.columns; ++j) {
            Vec from, to;
            Ray(g, v, j, detectorRow, from, to);
            out.rows[v][j] = float(LineIntegral(body, from, to));
        }
    return out;
}

// Cone-beam frames holding detector rows rowBegin ... rowEnd - 1.
inline std::vector<ClassData2DIO<float>> Frames(const std::vector<Ellipsoid>& body, const CtGeometry& g, int rowBegin,
                                                int rowEnd)
{
    std::vector<ClassData2DIO<float>> frames(std::size_t(g.views));
    for (int v = 0; v < g.views; ++v) {
        frames[std::size_t(v)].SetDim(g.columns, rowEnd - rowBegin);
        for (int r = rowBegin; r < rowEnd; ++r)
            for (int j = 0; j < g.columns; ++j) {
                Vec from, to;
                Ray(g, v, j, r, from, to);
                frames[std::size_t(v)].rows[r - rowBegin][j] = float(LineIntegral(body, from, to));
            }
    }
    return frames;
}

inline double Rmse(const ClassData2DIO<float>& a, const ClassData2DIO<float>& b)
{
    double sum = 0;
    for (int r = 0; r < a.height; ++r)
        for (int c = 0; c < a.width; ++c) {
            const double d = double(a.rows[r][c]) - b.rows[r][c];
            sum += d * d;
        }
    return std::sqrt(sum / (double(a.width) * a.height));
}

// Mean over the pixels within `radius` mm of the centre.
inline double MeanWithin(const ClassData2DIO<float>& s, const CtGeometry& g, double radius)
{
    const double half = 0.5 * (g.size - 1);
    double sum = 0;
    int n = 0;
    for (int r = 0; r < s.height; ++r)
        for (int c = 0; c < s.width; ++c)
            if (std::hypot(c - half, r - half) * g.pixel <= radius) {
                sum += s.rows[r][c];
                ++n;
            }
    return sum / n;
}

} // namespace phantom
