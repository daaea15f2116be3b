#pragma once

#include "QEVDATA2DBase.h"

// A float image. Element-wise arithmetic reads the right operand at the same
// linear index; a right operand with fewer elements gives no result: the
// in-place forms change nothing and the free operators return an empty image.
class QEVFLOATDATA2D : public QEVDATA2DBase<float> {
public:
    // Statistics over the pixels whose label equals key. labels is a row table
    // of the image's size. Min starts from 100000, max from 0; the mean of an
    // empty region is epsilon.
    float GetLabelMin(int** labels, int key) const;
    float GetLabelMax(int** labels, int key) const;
    double GetLabelMean(int** labels, int key) const;
    // The same with a label image; one of another size counts as an empty region.
    float GetLabelMin(const ClassData2DIOGeneral<int>& labels, int key) const;
    float GetLabelMax(const ClassData2DIOGeneral<int>& labels, int key) const;
    double GetLabelMean(const ClassData2DIOGeneral<int>& labels, int key) const;

    // v = sqrt(v), respectively v = ln(v + 1).
    void SqrtInPlace();
    void LogInPlace();

    QEVFLOATDATA2D& operator+=(const QEVFLOATDATA2D& b);
    QEVFLOATDATA2D& operator*=(const QEVFLOATDATA2D& b);
    // No zero check: x / 0 follows IEEE rules.
    QEVFLOATDATA2D& operator/=(const QEVFLOATDATA2D& b);
    QEVFLOATDATA2D& operator*=(float f);

    // Pixel count readable through data; 0 for an empty image.
    std::size_t ElementCount() const;

    // Correlation through ConFltMC with (1, 2, 1) x (1, 2, 1) / 16, respectively
    // the 5 x 5 kernel (1, 4, 7, 4, 1; 4, 16, 26, 16, 4; 7, 26, 41, 26, 7; ...) / 273.
    void Smooth3() override;
    void Smooth5() override;
    // Correlation through ConFltMC with TwoDGaussian_LSE(size, sigma, size, sigma, angle).
    void Smooth(int size, float sigma, float angle);
    // Bilinear resampling to w x h with ResizeSC; a size below 1 changes nothing.
    void ResizeTo(int w, int h);
};

QEVFLOATDATA2D operator+(const QEVFLOATDATA2D& a, const QEVFLOATDATA2D& b);
QEVFLOATDATA2D operator-(const QEVFLOATDATA2D& a, const QEVFLOATDATA2D& b);
QEVFLOATDATA2D operator*(const QEVFLOATDATA2D& a, const QEVFLOATDATA2D& b);
QEVFLOATDATA2D operator/(const QEVFLOATDATA2D& a, const QEVFLOATDATA2D& b);
QEVFLOATDATA2D operator*(const QEVFLOATDATA2D& a, float f);
QEVFLOATDATA2D operator*(float f, const QEVFLOATDATA2D& a);
