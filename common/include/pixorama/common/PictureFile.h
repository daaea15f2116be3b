#pragma once

#include "CString.h"
#include "ClassData2DIO.h"

#include "pixorama/platform/Image.h"

// The platform picture, encoded and decoded by Qt's image plugins.
using CImage = plat::Image;

// Layout of a picture's bitmap, as GetImageParament reports it.
struct IMAGEPARAMENT {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int bytesPerRow = 0;     // ((bits x width + 31) / 32) x 4
    int bytesPerPixel = 0;   // bits / 8
    int paletteEntries = 0;  // 2^bits up to 8 bits, else 0
    int imageSize = 0;       // bytesPerRow x height
};

// Saves a grey image as a 24-bit picture (container row 0 at the top) in the
// format the path's extension names. False when the image is empty or no
// encoder could write it.
bool gSaveUcData(ClassData2DIO<unsigned char>* grey, const CString& path);

// Row pointers of a picture, entry 0 = top row, from malloc; null for an
// empty picture. Give the table back with Release2DList.
unsigned char** Create2DList(CImage* image);
void Release2DList(unsigned char** list);
// Fills p from the picture; leaves it alone when the picture holds no bitmap.
void GetImageParament(CImage* image, IMAGEPARAMENT* p);
