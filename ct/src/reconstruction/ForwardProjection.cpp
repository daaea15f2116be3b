#include "pixorama/workbench/ForwardProjection.h"

#include "pixorama/common/RowSplit.h"

#include <array>
#include <cmath>

namespace {

using Vec = std::array<double, 3>;

// Linear interpolation in a slice at pixel coordinates (cx, cy); zero outside.
double sampleSlice(const ClassData2DIO<float>& s, double cx, double cy)
{
    const double fx = std::floor(cx), fy = std::floor(cy);
    const int ix = int(fx), iy = int(fy);
    const double ax = cx - fx, ay = cy - fy;
    double sum = 0;
    for (int dy = 0; dy < 2; ++dy) {
        const int y = iy + dy;
        if (y < 0 || y >= s.height)
            continue;
        const double wy = dy ? ay : 1 - ay;
        if (ix >= 0 && ix < s.width)
            sum += wy * (1 - ax) * s.rows[y][ix];
        if (ix + 1 >= 0 && ix + 1 < s.width)
            sum += wy * ax * s.rows[y][ix + 1];
    }
    return sum;
}

struct Sampler {
    const std::vector<ClassData2DIO<float>>* volume = nullptr; // null: one slice
    const ClassData2DIO<float>* slice = nullptr;
    double half = 0;
    double pixel = 1;

    double at(const Vec& p) const
    {
        const double cx = p[0] / pixel + half, cy = p[1] / pixel + half;
        if (!volume)
            return sampleSlice(*slice, cx, cy);
        const double cz = p[2] / pixel + half;
        const double fz = std::floor(cz);
        const int iz = int(fz);
        const double az = cz - fz;
        double sum = 0;
        if (iz >= 0 && iz < int(volume->size()))
            sum += (1 - az) * sampleSlice((*volume)[std::size_t(iz)], cx, cy);
        if (iz + 1 >= 0 && iz + 1 < int(volume->size()))
            sum += az * sampleSlice((*volume)[std::size_t(iz + 1)], cx, cy);
        return sum;
    }
};

// Integral along from -> to, over the part inside the ball of the given radius.
double march(const Sampler& s, const Vec& from, const Vec& to, double radius)
{
    Vec d{to[0] - from[0], to[1] - from[1], to[2] - from[2]};
    const double len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    for (double& c : d)
        c /= len;
    // |from + l d|^2 = radius^2
    const double b = from[0] * d[0] + from[1] * d[1] + from[2] * d[2];
    const double c = from[0] * from[0] + from[1] * from[1] + from[2] * from[2] - radius * radius;
    const double disc = b * b - c;
    if (disc <= 0)
        return 0;
    const double l0 = -b - std::sqrt(disc), l1 = -b + std::sqrt(disc);
    const double h = 0.5 * s.pixel;
    const int steps = int(std::ceil((l1 - l0) / h));
    double sum = 0;
    for (int k = 0; k < steps; ++k) {
        const double l = l0 + (k + 0.5) * h;
        sum += s.at({from[0] + l * d[0], from[1] + l * d[1], from[2] + l * d[2]});
    }
    return sum * h;
}

// The ray of detector (column, row) at angle theta: from the source (or, for
// parallel beam, from far behind) to the detector pixel.
void ray(const CtGeometry& g, double theta, int column, int row, Vec& from, Vec& to)
{
    const double c = std::cos(theta), s = std::sin(theta);
    const Vec eu{c, s, 0}, ew{-s, c, 0};
    const double u = (column - g.centreColumn()) * g.du;
    if (g.beam == Beam::Parallel) {
        const double reach = g.size * g.pixel;
        for (int i = 0; i < 3; ++i) {
            from[std::size_t(i)] = u * eu[std::size_t(i)] + reach * ew[std::size_t(i)];
            to[std::size_t(i)] = u * eu[std::size_t(i)] - reach * ew[std::size_t(i)];
        }
        return;
    }
    const double v = g.beam == Beam::Cone ? (row - g.centreRow()) * g.du : 0;
    for (int i = 0; i < 3; ++i) {
        from[std::size_t(i)] = g.sod * ew[std::size_t(i)];
        to[std::size_t(i)] = u * eu[std::size_t(i)] + (g.sod - g.sdd) * ew[std::size_t(i)];
    }
    to[2] = v;
}

bool project(const Sampler& sampler, const CtGeometry& g, int rows, const std::function<float*(int view, int row)>& out,
             int threads, const ReconProgress& progress)
{
    const double radius = 0.75 * g.size * g.pixel;
    for (int view = 0; view < g.views; ++view) {
        const double theta = g.angle(view);
        RowSplit::run(rows, threads > 0 ? threads : RowSplit::threadCount(), [&](int begin, int end) {
            for (int r = begin; r < end; ++r) {
                float* line = out(view, r);
                for (int j = 0; j < g.columns; ++j) {
                    Vec from, to;
                    ray(g, theta, j, r, from, to);
                    line[j] = float(march(sampler, from, to, radius));
                }
            }
        });
        if (progress && !progress(view + 1))
            return false;
    }
    return true;
}

} // namespace

bool ForwardProjectSlice(const ClassData2DIO<float>& slice, const CtGeometry& g, ClassData2DIO<float>& sinogram,
                         int threads, const ReconProgress& progress)
{
    if (!g.Valid() || slice.IsEmpty() || slice.width != g.size || slice.height != g.size)
        return false;
    ClassData2DIO<float> result;
    result.SetDim(g.columns, g.views);
    CtGeometry flat = g;
    if (flat.beam == Beam::Cone)
        flat.beam = Beam::Fan;
    const Sampler sampler{nullptr, &slice, 0.5 * (g.size - 1), g.pixel};
    if (!project(sampler, flat, 1, [&](int view, int) { return result.rows[view]; }, threads, progress))
        return false;
    sinogram = result;
    return true;
}

bool ForwardProjectVolume(const std::vector<ClassData2DIO<float>>& volume, const CtGeometry& g,
                          std::vector<ClassData2DIO<float>>& projections, int threads, const ReconProgress& progress)
{
    if (!g.Valid() || g.beam != Beam::Cone || int(volume.size()) != g.size)
        return false;
    for (const auto& s : volume)
        if (s.width != g.size || s.height != g.size)
            return false;
    std::vector<ClassData2DIO<float>> result(std::size_t(g.views));
    for (auto& p : result)
        p.SetDim(g.columns, g.rows);
    const Sampler sampler{&volume, nullptr, 0.5 * (g.size - 1), g.pixel};
    if (!project(sampler, g, g.rows, [&](int view, int row) { return result[std::size_t(view)].rows[row]; }, threads,
                 progress))
        return false;
    projections = std::move(result);
    return true;
}
