#include "pixorama/common/StructVector2f.h"

#include <cmath>

namespace {

void rotateBy(StructVector2f& v, double a)
{
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double nx = v.x * c - v.y * s;
    const double ny = v.x * s + v.y * c;
    v.x = float(nx);
    v.y = float(ny);
}

} // namespace

float StructVector2f::Mag() const
{
    return std::sqrt(x * x + y * y);
}

void StructVector2f::Normal()
{
    const float m = Mag();
    x /= m;
    y /= m;
}

void StructVector2f::Mul(float f)
{
    x *= f;
    y *= f;
}

StructVector2f& StructVector2f::operator+=(const StructVector2f& v)
{
    x += v.x;
    y += v.y;
    return *this;
}

StructVector2f& StructVector2f::operator-=(const StructVector2f& v)
{
    x -= v.x;
    y -= v.y;
    return *this;
}

StructVector2f& StructVector2f::operator*=(const StructVector2f& v)
{
    x *= v.x;
    y *= v.y;
    return *this;
}

StructVector2f& StructVector2f::operator*=(float f)
{
    Mul(f);
    return *this;
}

StructVector2f& StructVector2f::operator/=(float f)
{
    x /= f;
    y /= f;
    return *this;
}

void StructVector2f::Rotate(float deg)
{
    rotateBy(*this, deg / 180.0 * 3.1415926);
}

void StructVector2f::RotateDeg(float a)
{
    rotateBy(*this, a);
}

void StructVector2f::RotateDeg(float a, const StructVector2f& centre)
{
    const StructVector2f c = centre;
    *this -= c;
    RotateDeg(a);
    *this += c;
}

float StructVector2f::GetAngle() const
{
    if (std::fabs(x) < 0.001f)
        return y > 0.0f ? 3.1415927f : 0.0f;
    const double base = std::atan(double(y) / double(x));
    return float(x > 0.0f ? base + 1.5707963 : base + 4.7123889);
}
