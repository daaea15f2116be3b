#pragma once

#include "NumericTruncate.h"

// A colour pixel: blue in byte 0, green in byte 1, red in byte 2, alpha in
// byte 3. The helpers below touch bytes 0-2 only.
struct tagStructRGBA {
    unsigned char blue = 0;
    unsigned char green = 0;
    unsigned char red = 0;
    unsigned char alpha = 0;
};

static_assert(sizeof(tagStructRGBA) == 4, "tagStructRGBA is four bytes");

// Bytes 0-2 = v truncated to a byte.
void StructRGBAAssign(tagStructRGBA& c, int v);
// Copies bytes 0-2.
void StructRGBAAssign(tagStructRGBA& c, tagStructRGBA& from);
// Each byte = truncation of byte * factor, kept modulo 256.
void StructRGBAMul(tagStructRGBA& c, float& factor);
// Bytewise sum modulo 256 (no saturation).
void StructRGBAAdd(tagStructRGBA& c, tagStructRGBA& other);
// out = truncation of 0.299 r + 0.587 g + 0.114 b. Inline: it runs per pixel.
inline void ColorToGrayPixel(int r, int g, int b, int& out)
{
    out = pixTruncToInt(0.299 * r + 0.587 * g + 0.114 * b);
}
