#include "pixorama/common/QEVComplex.h"

#include <cmath>

void QEVComplex::SetDim(int w, int h)
{
    real.SetDim(w, h);
    imag.SetDim(w, h);
}

float QEVComplex::GetMag(int x, int y) const
{
    return std::sqrt(GetMagSquare(x, y));
}

float QEVComplex::GetMagSquare(int x, int y) const
{
    const float re = real.rows[y][x];
    const float im = imag.rows[y][x];
    return re * re + im * im;
}

QEVComplex& QEVComplex::operator*=(float f)
{
    real *= f;
    imag *= f;
    return *this;
}

QEVComplex& QEVComplex::operator+=(const QEVComplex& other)
{
    real += other.real;
    imag += other.imag;
    return *this;
}

QEVComplex& QEVComplex::operator/=(const QEVFLOATDATA2D& d)
{
    real /= d;
    imag /= d;
    return *this;
}
