#pragma once

#include "ClassData2DIO.h"

// c = a b, matrices stored as images (row i is image row i): c becomes
// b.width x a.height with c[i][j] = sum over k of a[i][k] * b[k][j]. Nothing
// happens, and false is returned, when b.height differs from a.width or either
// operand is empty. c may be a or b.
bool MatrixMul(ClassData2DIO<float>& a, ClassData2DIO<float>& b, ClassData2DIO<float>& c);
