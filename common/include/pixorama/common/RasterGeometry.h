#pragma once

#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/common/QEVRECT.h"

// Bounding box of the pixels equal to key. The box starts at left = top =
// 10000, right = bottom = -10000, so a missing key leaves left > right. The
// cached width and height are not touched.
void GetBlobOutRect(ClassData2DIO<int>& labels, QEVRECT& box, int key);

// Mirrors a position outside a w x h image back in, x and y alike. noRepeat
// reflects about the edge pixel (-1 -> 1), otherwise the edge pixel repeats
// (-1 -> 0). Positions beyond two widths wrap first. The result always lies
// in the image; sizes below 1 leave the coordinate unchanged.
void mMapXYOutOfIma(int& x, int& y, int w, int h, bool noRepeat);

// left <= x < right and top <= y < bottom.
bool gIsInRect(int x, int y, int left, int top, int right, int bottom);
