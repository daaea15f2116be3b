#pragma once

#include "QEVFLOATDATA2D.h"

// A complex image as two float planes of the same size. Element-wise
// operations skip an operand with fewer elements, as QEVFLOATDATA2D does.
class QEVComplex {
public:
    QEVFLOATDATA2D real;
    QEVFLOATDATA2D imag;

    void SetDim(int w, int h);

    // At rows[y][x], unchecked like every row access.
    float GetMag(int x, int y) const;
    float GetMagSquare(int x, int y) const;

    QEVComplex& operator*=(float f);
    QEVComplex& operator+=(const QEVComplex& other);
    // Divides both planes element-wise by d.
    QEVComplex& operator/=(const QEVFLOATDATA2D& d);
};
