#include "pixorama/common/Gaussian.h"

#include "CorrelationBand.h"
#include "HaloRows.h"
#include "SimdFloat.h"
#include "pixorama/common/Convolution.h"
#include "pixorama/common/RowSplit.h"

#include <cmath>

namespace {

constexpr double kTwoPi = 6.2831852;

// One factor of a tap. Without a positive sigma the axis keeps only its zero line.
float factor(double t, float sigma)
{
    if (sigma > 0.0f)
        return OneDGaussian(float(t), sigma);
    return std::fabs(t) < 1e-6 ? 1.0f : 0.0f;
}

PIX_HOT_KERNEL_WIDE
void bytesToFloats(const unsigned char* __restrict from, float* __restrict to, int n)
{
    for (int i = 0; i < n; ++i)
        to[i] = from[i];
}

} // namespace

float OneDGaussian(float x, float sigma)
{
    const double s = sigma;
    const double v = double(x);
    return float(std::exp(-v * v / (2.0 * s * s)) / (std::sqrt(kTwoPi) * s));
}

bool TwoDGaussian_LSE(ClassData2DIO<float>* k, int w, float sigmaX, int h, float sigmaY, float angle)
{
    if (k == nullptr || w < 1 || h < 1)
        return false;
    k->SetDim(w, h);
    const double c = std::cos(double(angle));
    const double s = std::sin(double(angle));
    for (int r = 0; r < h; ++r) {
        const double y = r + 1 - (h + 1) / 2;
        float* row = k->rows[r];
        for (int i = 0; i < w; ++i) {
            const double x = i + 1 - (w + 1) / 2;
            const double u = x * c - y * s;
            const double v = x * s + y * c;
            row[i] = factor(u, sigmaX) * factor(v, sigmaY);
        }
    }
    k->NormalizeSum();
    return true;
}

bool gGauss(ClassData2DIO<float>* img, int size, float sigma, float angle)
{
    if (size < 1 || size % 2 == 0)
        return false;
    ClassData2DIO<float> kernel;
    TwoDGaussian_LSE(&kernel, size, sigma, size, sigma, angle);
    return ConFltMC(img, &kernel);
}

bool gGaussRows(unsigned char* const* rows, int w, int h, int size, float sigma, float angle, const GaussRow& row)
{
    return gGaussPlanes(&rows, 1, w, h, size, sigma, angle,
                        [&row](int, int y, const float* blurred) { row(y, blurred); });
}

namespace {

void computeInto(CorrelationBand& band, int y, int count, float* const* outs)
{
    band.computeRows(y, count, outs);
}

void computeInto(CorrelationBand& band, int y, int count, unsigned char* const* outs)
{
    band.computeRowsTruncated(y, count, outs);
}

// gGaussPlanes handing out rows of T: floats, or bytes truncated from them.
template <typename T, typename Row>
bool blurPlanes(unsigned char* const* const* planes, int count, int w, int h, int size, float sigma, float angle,
                const Row& row)
{
    if (size < 1 || size % 2 == 0)
        return false;
    if (planes == nullptr || count <= 0 || w <= 0 || h <= 0)
        return true;
    ClassData2DIO<float> kernel;
    TwoDGaussian_LSE(&kernel, size, sigma, size, sigma, angle);
    CorrelationTaps taps;
    taps.load(&kernel);
    taps.factorise();
    const int threads = RowSplit::threadCount();
    std::vector<HaloRows<unsigned char>> halos;
    halos.reserve(std::size_t(count));
    for (int p = 0; p < count; ++p)
        halos.emplace_back(planes[p], w, h, threads, taps.ry);
    RowSplit::run(h, threads, [&](int begin, int end) {
        constexpr int rowsAtOnce = 4;
        // Output rows a little more than the width apart: rows a multiple of
        // 4 KB apart would stall each store behind the one before.
        const std::size_t stride = std::size_t(w) + 64;
        std::vector<T> out(stride * rowsAtOnce, T{});
        T* outs[rowsAtOnce];
        for (int r = 0; r < rowsAtOnce; ++r)
            outs[r] = out.data() + std::size_t(r) * stride;
        for (int p = 0; p < count; ++p) {
            // The band reads each source row once, as floats, into its ring;
            // the caller may change row y once it has been handed row y.
            unsigned char* const* rows = planes[p];
            const HaloRows<unsigned char>& halo = halos[std::size_t(p)];
            CorrelationBand band(
                taps, w, h,
                CorrelationBand::RowFill([&](int q, float* to) {
                    const unsigned char* bytes = q >= begin && q < end ? rows[q] : halo.row(q);
                    bytesToFloats(bytes, to, w);
                }),
                rowsAtOnce, true);
            band.prefetchByteRows([&](int q) { return q >= begin && q < end ? rows[q] : nullptr; });
            for (int y = begin; y < end; y += rowsAtOnce) {
                const int n = std::min(rowsAtOnce, end - y);
                computeInto(band, y, n, outs);
                for (int r = 0; r < n; ++r)
                    row(p, y + r, outs[r]);
            }
        }
    });
    return true;
}

} // namespace

bool gGaussPlanes(unsigned char* const* const* planes, int count, int w, int h, int size, float sigma, float angle,
                  const GaussPlaneRow& row)
{
    return blurPlanes<float>(planes, count, w, h, size, sigma, angle, row);
}

bool gGaussPlanesTruncated(unsigned char* const* const* planes, int count, int w, int h, int size, float sigma,
                           float angle, const GaussPlaneByteRow& row)
{
    return blurPlanes<unsigned char>(planes, count, w, h, size, sigma, angle, row);
}
