#pragma once

// A 2-D float vector.
struct StructVector2f {
    float x = 0.0f;
    float y = 0.0f;

    float Mag() const;
    // Divides by the magnitude; a zero vector becomes NaN.
    void Normal();
    void Mul(float f);
    float GetAdd() const { return x + y; }

    StructVector2f& operator+=(const StructVector2f& v);
    StructVector2f& operator-=(const StructVector2f& v);
    StructVector2f& operator*=(const StructVector2f& v);
    StructVector2f& operator*=(float f);
    StructVector2f& operator/=(float f);

    // Rotates by deg degrees.
    void Rotate(float deg);
    // Rotates by a radians, despite the name.
    void RotateDeg(float a);
    // Rotates by a radians about centre.
    void RotateDeg(float a, const StructVector2f& centre);

    // Direction in radians measured from the negative y axis, 0 .. 2 pi.
    float GetAngle() const;
};
