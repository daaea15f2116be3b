#pragma once

// Fast approximate 1 / sqrt(x): the bit trick plus one Newton step.
float mInvSqrt(float x);

// A 3-D float vector.
struct StructVector3f {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    // The dot product with v.
    float GetAngle(const StructVector3f& v) const;
    // this = this x v.
    void Cross(const StructVector3f& v);
    // Scales to unit length with mInvSqrt.
    void Normalize();
    void Neg();

    StructVector3f& operator=(float f);
    StructVector3f& operator*=(float f);
    StructVector3f& operator/=(float f);
};

StructVector3f operator+(const StructVector3f& a, const StructVector3f& b);
StructVector3f operator-(const StructVector3f& a, const StructVector3f& b);
StructVector3f operator*(const StructVector3f& a, const StructVector3f& b);
StructVector3f operator/(const StructVector3f& a, const StructVector3f& b);
StructVector3f operator*(const StructVector3f& a, float f);
StructVector3f operator*(float f, const StructVector3f& a);
StructVector3f operator/(const StructVector3f& a, float f);
StructVector3f operator/(float f, const StructVector3f& a);
