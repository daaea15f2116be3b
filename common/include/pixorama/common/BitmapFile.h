#pragma once

#include "ClassData2DIO.h"
#include "tagStructRGBA.h"

// Uncompressed bitmaps: 8-bit grey with a 256-entry grey palette (pixel data
// at byte 1078) and 24-bit blue-green-red (pixel data at byte 54), rows
// padded to a multiple of 4 bytes with zeros. Rows are never flipped:
// container row 0 is the first pixel row of the file. Paths are UTF-8.

// Reads an 8-, 24- or 32-bit bitmap into four planes of width x height
// (alpha is only sized; other depths leave the planes zero). An 8-bit pixel
// is taken as the grey level. Refuses (false, planes emptied) a file that
// cannot be opened, a short or implausible header, or one whose pixel data
// runs past the end of the file. A top-down file (negative height) is read
// in file order too.
bool QEVReadColorBmp(const char* path, ClassData2DIO<unsigned char>* r, ClassData2DIO<unsigned char>* g,
                     ClassData2DIO<unsigned char>* b, ClassData2DIO<unsigned char>* a);
// A bitmap converted to grey; false (grey emptied) when it cannot be read.
bool QEVReadGrayBmp(const char* path, ClassData2DIO<unsigned char>* grey);
// grey = 0.299 r + 0.587 g + 0.114 b, truncated, at r's size. False when a
// plane is missing or smaller than r.
bool QEVColorToGray(ClassData2DIO<unsigned char>* r, ClassData2DIO<unsigned char>* g,
                    ClassData2DIO<unsigned char>* b, ClassData2DIO<unsigned char>* grey);

// Writers return false when the file cannot be created or written.
bool QEVSaveGrayBmp(const char* path, ClassData2DIO<unsigned char>& grey);
// The three planes must have one size (false otherwise).
bool QEVSaveColorBmp(const char* path, ClassData2DIO<unsigned char>* r, ClassData2DIO<unsigned char>* g,
                     ClassData2DIO<unsigned char>* b);
// Bytes 0, 1, 2 of every pixel, in that order.
bool QEVSaveColorBmp(const char* path, ClassData2DIO<tagStructRGBA>* image);
