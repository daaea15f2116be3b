#pragma once

#include "pixorama/common/ClassData2DIO.h"

// Paints the region's pixels that stray from the region mean m by more than
// the tolerance u: above (1 + u) m red (255, 0, 0), below (1 - u) m green
// (0, 255, 0). data has the row order that `bottomUp` says; the planes and
// the label image are bottom-up (canvas memory order), and each data pixel
// is painted where its label lies. Returns the mean.
double gPaintUniformity(const ClassData2DIO<float>& data, bool bottomUp, const ClassData2DIO<int>& label, int key,
                        double u, ClassData2DIO<unsigned char>& r, ClassData2DIO<unsigned char>& g,
                        ClassData2DIO<unsigned char>& b);
