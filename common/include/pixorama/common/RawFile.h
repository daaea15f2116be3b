#pragma once

#include "ClassData2DIO.h"

// Readers of headerless raw files: width x height little-endian elements from
// byte 0, row 0 first. The destination must already have its size; the file
// never supplies more than that, and what a short file lacks reads as zero.
// A missing file shows "文件不存在" and the destination receives the
// conversion of all zeros. Paths are UTF-8.

// Signed 16-bit values stored as value + 32768 (-32768 -> 0, 32767 -> 65535).
bool ReadUsDataShort(ClassData2DIO<unsigned short>& dst, const char* path);
// Bytes stored unchanged.
bool ReadUsDataChar(ClassData2DIO<unsigned short>& dst, const char* path);
// Floats scaled by 65535 / (hi - lo) after subtracting lo and truncated toward
// zero; values outside [lo, hi] keep the low 16 bits. False, dst unchanged,
// when |hi - lo| < 0.0001.
bool ReadUsDataFloat(ClassData2DIO<unsigned short>& dst, const char* path, float lo, float hi);
