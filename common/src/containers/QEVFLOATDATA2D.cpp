#include "pixorama/common/QEVFLOATDATA2D.h"

#include "Smoothing.h"
#include "pixorama/common/Gaussian.h"
#include "pixorama/common/Resize.h"

#include <cmath>

namespace {

constexpr float labelMinStart = 100000.0f;
constexpr float labelMaxStart = 0.0f;

bool sameSize(const QEVFLOATDATA2D& image, const ClassData2DIOGeneral<int>& labels)
{
    return !labels.IsEmpty() && labels.width == image.width && labels.height == image.height;
}

// Calls f(value) for every pixel whose label is key.
template <typename F>
void forLabel(const QEVFLOATDATA2D& image, int** labels, int key, F f)
{
    if (image.IsEmpty() || !labels)
        return;
    for (int y = 0; y < image.height; ++y) {
        const float* v = image.rows[y];
        const int* l = labels[y];
        for (int x = 0; x < image.width; ++x)
            if (l[x] == key)
                f(v[x]);
    }
}

// out[i] = op(a[i], b[i]) over a's elements; false when b is too small.
template <typename Op>
bool combine(float* out, const QEVFLOATDATA2D& a, const QEVFLOATDATA2D& b, Op op)
{
    const std::size_t n = a.ElementCount();
    if (b.ElementCount() < n)
        return false;
    const float* pa = a.data;
    const float* pb = b.data;
    for (std::size_t i = 0; i < n; ++i)
        out[i] = op(pa[i], pb[i]);
    return true;
}

template <typename Op>
QEVFLOATDATA2D combined(const QEVFLOATDATA2D& a, const QEVFLOATDATA2D& b, Op op)
{
    QEVFLOATDATA2D out;
    if (a.ElementCount() == 0 || b.ElementCount() < a.ElementCount()) {
        out.SetDim(0, 0);
        return out;
    }
    out.SetDim(a.width, a.height);
    combine(out.data, a, b, op);
    return out;
}

template <typename Op>
void transform(QEVFLOATDATA2D& image, Op op)
{
    const std::size_t n = image.ElementCount();
    float* p = image.data;
    for (std::size_t i = 0; i < n; ++i)
        p[i] = op(p[i]);
}

} // namespace

std::size_t QEVFLOATDATA2D::ElementCount() const
{
    if (width <= 0 || height <= 0 || !data)
        return 0;
    return std::size_t(width) * std::size_t(height);
}

float QEVFLOATDATA2D::GetLabelMin(int** labels, int key) const
{
    float m = labelMinStart;
    forLabel(*this, labels, key, [&m](float v) { m = v < m ? v : m; });
    return m;
}

float QEVFLOATDATA2D::GetLabelMax(int** labels, int key) const
{
    float m = labelMaxStart;
    forLabel(*this, labels, key, [&m](float v) { m = v > m ? v : m; });
    return m;
}

double QEVFLOATDATA2D::GetLabelMean(int** labels, int key) const
{
    double sum = 0.0;
    long long count = 0;
    forLabel(*this, labels, key, [&](float v) {
        sum += v;
        ++count;
    });
    return count < 1 ? epsilon : sum / double(count);
}

float QEVFLOATDATA2D::GetLabelMin(const ClassData2DIOGeneral<int>& labels, int key) const
{
    return sameSize(*this, labels) ? GetLabelMin(labels.rows, key) : labelMinStart;
}

float QEVFLOATDATA2D::GetLabelMax(const ClassData2DIOGeneral<int>& labels, int key) const
{
    return sameSize(*this, labels) ? GetLabelMax(labels.rows, key) : labelMaxStart;
}

double QEVFLOATDATA2D::GetLabelMean(const ClassData2DIOGeneral<int>& labels, int key) const
{
    return sameSize(*this, labels) ? GetLabelMean(labels.rows, key) : epsilon;
}

void QEVFLOATDATA2D::SqrtInPlace()
{
    transform(*this, [](float v) { return std::sqrt(v); });
}

void QEVFLOATDATA2D::LogInPlace()
{
    transform(*this, [](float v) { return std::log(v + 1.0f); });
}

QEVFLOATDATA2D& QEVFLOATDATA2D::operator+=(const QEVFLOATDATA2D& b)
{
    combine(data, *this, b, [](float x, float y) { return x + y; });
    return *this;
}

QEVFLOATDATA2D& QEVFLOATDATA2D::operator*=(const QEVFLOATDATA2D& b)
{
    combine(data, *this, b, [](float x, float y) { return x * y; });
    return *this;
}

QEVFLOATDATA2D& QEVFLOATDATA2D::operator/=(const QEVFLOATDATA2D& b)
{
    combine(data, *this, b, [](float x, float y) { return x / y; });
    return *this;
}

QEVFLOATDATA2D& QEVFLOATDATA2D::operator*=(float f)
{
    transform(*this, [f](float v) { return v * f; });
    return *this;
}

QEVFLOATDATA2D operator+(const QEVFLOATDATA2D& a, const QEVFLOATDATA2D& b)
{
    return combined(a, b, [](float x, float y) { return x + y; });
}

QEVFLOATDATA2D operator-(const QEVFLOATDATA2D& a, const QEVFLOATDATA2D& b)
{
    return combined(a, b, [](float x, float y) { return x - y; });
}

QEVFLOATDATA2D operator*(const QEVFLOATDATA2D& a, const QEVFLOATDATA2D& b)
{
    return combined(a, b, [](float x, float y) { return x * y; });
}

QEVFLOATDATA2D operator/(const QEVFLOATDATA2D& a, const QEVFLOATDATA2D& b)
{
    return combined(a, b, [](float x, float y) { return x / y; });
}

QEVFLOATDATA2D operator*(const QEVFLOATDATA2D& a, float f)
{
    QEVFLOATDATA2D out;
    out.SetDim(0, 0);
    if (a.ElementCount() == 0)
        return out;
    out.SetDim(a.width, a.height);
    const std::size_t n = a.ElementCount();
    for (std::size_t i = 0; i < n; ++i)
        out.data[i] = a.data[i] * f;
    return out;
}

QEVFLOATDATA2D operator*(float f, const QEVFLOATDATA2D& a)
{
    return a * f;
}

void QEVFLOATDATA2D::Smooth3()
{
    ClassData2DIO<float> k;
    pixSmoothKernel3(k);
    ConFltMC(this, &k);
}

void QEVFLOATDATA2D::Smooth5()
{
    ClassData2DIO<float> k;
    pixSmoothKernel5(k);
    ConFltMC(this, &k);
}

void QEVFLOATDATA2D::Smooth(int size, float sigma, float angle)
{
    ClassData2DIO<float> k;
    if (TwoDGaussian_LSE(&k, size, sigma, size, sigma, angle))
        ConFltMC(this, &k);
}

void QEVFLOATDATA2D::ResizeTo(int w, int h)
{
    if (w < 1 || h < 1 || IsEmpty())
        return;
    ClassData2DIO<float> out;
    out.SetDim(w, h);
    ResizeSC(this, &out);
    takeBuffers(out);
}
