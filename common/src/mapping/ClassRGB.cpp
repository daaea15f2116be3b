#include "pixorama/common/ClassRGB.h"

#include "pixorama/common/NumericTruncate.h"

#include <cstdlib>

void ClassRGB::SetColor(int r, int g, int b)
{
    red = static_cast<unsigned char>(r);
    green = static_cast<unsigned char>(g);
    blue = static_cast<unsigned char>(b);
}

bool ClassRGB::operator==(const ClassRGB& other) const
{
    return red == other.red && green == other.green && blue == other.blue;
}

int ClassRGB::GetDif(ClassRGB other) const
{
    return std::abs(red - other.red) + std::abs(green - other.green) + std::abs(blue - other.blue);
}

void ClassRGB::SetColorHandle(int n, ClassRGB c0, ClassRGB c1)
{
    count = n;
    step = float(1.0 / (double(n) - 1.0));
    if (n < 2) {
        // 1 / 0 is infinite and would turn every channel into NaN.
        dRed = dGreen = dBlue = 0.0f;
        return;
    }
    dRed = float(c1.red - c0.red) * step;
    dGreen = float(c1.green - c0.green) * step;
    dBlue = float(c1.blue - c0.blue) * step;
}

ClassRGB ClassRGB::GetRangeColor(int i, ClassRGB c0, ClassRGB) const
{
    if (i > count - 1)
        i = count - 1;
    if (i < 0)
        i = 0;
    const float f = float(i);
    ClassRGB out = *this;
    out.red = pixConvertTruncated<unsigned char>(f * dRed + float(c0.red));
    out.green = pixConvertTruncated<unsigned char>(f * dGreen + float(c0.green));
    out.blue = pixConvertTruncated<unsigned char>(f * dBlue + float(c0.blue));
    return out;
}
