#pragma once

#include "pixorama/common/ClassData2DIO.h"

// Shows colour planes as the whole picture of canvas 4 through
// gCVSShowUCColor. The working planes are bottom-up (canvas memory order),
// while gCVSShowUCColor writes plane row y to screen line y, so the planes go
// in upside down and the picture comes out upright.
void gShowPlanesUpright(const ClassData2DIO<unsigned char>& r, const ClassData2DIO<unsigned char>& g,
                        const ClassData2DIO<unsigned char>& b, bool clearOverlays);
