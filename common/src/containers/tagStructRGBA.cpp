#include "pixorama/common/tagStructRGBA.h"

#include "pixorama/common/NumericTruncate.h"

void StructRGBAAssign(tagStructRGBA& c, int v)
{
    const auto b = static_cast<unsigned char>(v);
    c.blue = c.green = c.red = b;
}

void StructRGBAAssign(tagStructRGBA& c, tagStructRGBA& from)
{
    c.blue = from.blue;
    c.green = from.green;
    c.red = from.red;
}

void StructRGBAMul(tagStructRGBA& c, float& factor)
{
    const double f = factor;
    c.blue = pixConvertTruncated<unsigned char>(c.blue * f);
    c.green = pixConvertTruncated<unsigned char>(c.green * f);
    c.red = pixConvertTruncated<unsigned char>(c.red * f);
}

void StructRGBAAdd(tagStructRGBA& c, tagStructRGBA& other)
{
    c.blue = static_cast<unsigned char>(c.blue + other.blue);
    c.green = static_cast<unsigned char>(c.green + other.green);
    c.red = static_cast<unsigned char>(c.red + other.red);
}

