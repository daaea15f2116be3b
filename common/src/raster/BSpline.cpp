#include "pixorama/common/BSpline.h"

#include "pixorama/common/NumericTruncate.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace {

using IntPoint = PointTemplateBase<int>;

constexpr std::size_t minPoints = 2;
constexpr std::size_t maxPoints = 199;
constexpr int samplesPerSegment = 11;

// A dense square system with two right-hand sides (x and y).
class SplineSystem {
public:
    explicit SplineSystem(std::size_t n) : n(n), a(n * n, 0.0), rx(n, 0.0), ry(n, 0.0) {}

    double& At(std::size_t row, std::size_t col) { return a[row * n + col]; }
    void Rhs(std::size_t row, double x, double y)
    {
        rx[row] = x;
        ry[row] = y;
    }

    // Gauss-Jordan elimination with partial pivoting; false when singular.
    bool Solve()
    {
        for (std::size_t col = 0; col < n; ++col) {
            std::size_t pivot = col;
            for (std::size_t r = col + 1; r < n; ++r)
                if (std::fabs(At(r, col)) > std::fabs(At(pivot, col)))
                    pivot = r;
            if (std::fabs(At(pivot, col)) < 1e-12)
                return false;
            if (pivot != col) {
                for (std::size_t c = 0; c < n; ++c)
                    std::swap(At(pivot, c), At(col, c));
                std::swap(rx[pivot], rx[col]);
                std::swap(ry[pivot], ry[col]);
            }
            const double inv = 1.0 / At(col, col);
            for (std::size_t c = col; c < n; ++c)
                At(col, c) *= inv;
            rx[col] *= inv;
            ry[col] *= inv;
            for (std::size_t r = 0; r < n; ++r) {
                const double f = At(r, col);
                if (r == col || f == 0.0)
                    continue;
                for (std::size_t c = col; c < n; ++c)
                    At(r, c) -= f * At(col, c);
                rx[r] -= f * rx[col];
                ry[r] -= f * ry[col];
            }
        }
        return true;
    }

    std::size_t n;
    std::vector<double> a;
    std::vector<double> rx;
    std::vector<double> ry;
};

} // namespace

void mB3Line(std::vector<PointTemplateBase<int>>& in, std::vector<PointTemplateBase<int>>& out,
             std::vector<PointTemplateBase<int>>& work)
{
    const std::size_t n = in.size();
    if (n < minPoints || n > maxPoints)
        return;
    const bool closed = n >= 3 && in.front().x == in.back().x && in.front().y == in.back().y;
    // Control points c[0..n+1]; point i is (c[i] + 4 c[i+1] + c[i+2]) / 6.
    SplineSystem system(n + 2);
    std::size_t row = 0;
    const std::size_t interpolated = closed ? n - 1 : n;
    if (!closed) {
        system.At(row, 0) = 1.0;
        system.At(row, 1) = -2.0;
        system.At(row, 2) = 1.0;
        ++row;
    }
    for (std::size_t i = 0; i < interpolated; ++i, ++row) {
        system.At(row, i) = 1.0 / 6.0;
        system.At(row, i + 1) = 2.0 / 3.0;
        system.At(row, i + 2) = 1.0 / 6.0;
        system.Rhs(row, in[i].x, in[i].y);
    }
    if (closed) {
        // Periodic: the three control points after the last repeat the first three.
        for (std::size_t k = 0; k < 3; ++k, ++row) {
            system.At(row, interpolated + k) = 1.0;
            system.At(row, k) = -1.0;
        }
    } else {
        system.At(row, n - 1) = 1.0;
        system.At(row, n) = -2.0;
        system.At(row, n + 1) = 1.0;
    }
    if (!system.Solve())
        return;

    work.clear();
    for (std::size_t i = 0; i < n + 2; ++i)
        work.push_back({pixTruncToInt(std::round(system.rx[i])), pixTruncToInt(std::round(system.ry[i]))});
    out.clear();
    out.reserve((n - 1) * samplesPerSegment);
    for (std::size_t s = 0; s + 1 < n; ++s) {
        for (int k = 0; k < samplesPerSegment; ++k) {
            const double t = k / 10.0;
            const double t2 = t * t;
            const double t3 = t2 * t;
            const double w[4] = {(1 - 3 * t + 3 * t2 - t3) / 6, (4 - 6 * t2 + 3 * t3) / 6,
                                 (1 + 3 * t + 3 * t2 - 3 * t3) / 6, t3 / 6};
            double x = 0.0;
            double y = 0.0;
            for (std::size_t j = 0; j < 4; ++j) {
                x += w[j] * system.rx[s + j];
                y += w[j] * system.ry[s + j];
            }
            out.push_back({pixTruncToInt(x), pixTruncToInt(y)});
        }
    }
}
