#include "pixorama/common/StructVector3f.h"

#include <bit>
#include <cstdint>

float mInvSqrt(float x)
{
    // Unsigned arithmetic keeps the magic subtraction defined for every input.
    const auto i = std::bit_cast<std::int32_t>(x);
    const auto bits = std::uint32_t(0x5F3759DF) - std::uint32_t(i >> 1);
    const float y = std::bit_cast<float>(bits);
    return y * (1.5f - 0.5f * x * y * y);
}

float StructVector3f::GetAngle(const StructVector3f& v) const
{
    return x * v.x + y * v.y + z * v.z;
}

void StructVector3f::Cross(const StructVector3f& v)
{
    const float cx = y * v.z - z * v.y;
    const float cy = z * v.x - x * v.z;
    const float cz = x * v.y - y * v.x;
    x = cx;
    y = cy;
    z = cz;
}

void StructVector3f::Normalize()
{
    *this *= mInvSqrt(x * x + y * y + z * z);
}

void StructVector3f::Neg()
{
    x = -x;
    y = -y;
    z = -z;
}

StructVector3f& StructVector3f::operator=(float f)
{
    x = y = z = f;
    return *this;
}

StructVector3f& StructVector3f::operator*=(float f)
{
    x *= f;
    y *= f;
    z *= f;
    return *this;
}

StructVector3f& StructVector3f::operator/=(float f)
{
    x /= f;
    y /= f;
    z /= f;
    return *this;
}

StructVector3f operator+(const StructVector3f& a, const StructVector3f& b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

StructVector3f operator-(const StructVector3f& a, const StructVector3f& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

StructVector3f operator*(const StructVector3f& a, const StructVector3f& b)
{
    return {a.x * b.x, a.y * b.y, a.z * b.z};
}

StructVector3f operator/(const StructVector3f& a, const StructVector3f& b)
{
    return {a.x / b.x, a.y / b.y, a.z / b.z};
}

StructVector3f operator*(const StructVector3f& a, float f)
{
    return {a.x * f, a.y * f, a.z * f};
}

StructVector3f operator*(float f, const StructVector3f& a)
{
    return a * f;
}

StructVector3f operator/(const StructVector3f& a, float f)
{
    return {a.x / f, a.y / f, a.z / f};
}

StructVector3f operator/(float f, const StructVector3f& a)
{
    return {f / a.x, f / a.y, f / a.z};
}
