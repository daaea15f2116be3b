#include "pixorama/common/Gaussian.h"

#include "CorrelationBand.h"
#include "HaloRows.h"
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
    if (size < 1 || size % 2 == 0)
        return false;
    if (rows == nullptr || w <= 0 || h <= 0)
        return true;
    ClassData2DIO<float> kernel;
    TwoDGaussian_LSE(&kernel, size, sigma, size, sigma, angle);
    CorrelationTaps taps;
    taps.load(&kernel);
    taps.factorise();
    const int threads = RowSplit::threadCount();
    const HaloRows<unsigned char> halo(rows, w, h, threads, taps.ry);
    RowSplit::run(h, threads, [&](int begin, int end) {
        // The band reads each source row once, as floats, into its ring; the
        // caller may change row y once it has been handed row y.
        std::vector<float> out(std::size_t(w), 0.0f);
        CorrelationBand band(taps, w, h, CorrelationBand::RowFill([&](int q, float* to) {
            const unsigned char* bytes = q >= begin && q < end ? rows[q] : halo.row(q);
            std::copy(bytes, bytes + w, to);
        }));
        for (int y = begin; y < end; ++y) {
            band.computeRow(y, out.data());
            row(y, out.data());
        }
    });
    return true;
}
