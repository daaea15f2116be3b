#pragma once

#include "pixorama/common/ClassData2DIO.h"

// Dark/bright correction of one detector half. The gain image is
// bright - dark; pixels with a gain above 10 are scaled to the median gain,
// pixels with a gain below 10 are dead, and a gain of exactly 10 is neither.
// The gain and the images share one size; a picture of another size is
// corrected over the part they share.
namespace flatfield {

// bright - dark, pixel by pixel.
void Gain(const ClassData2DIO<float>& bright, const ClassData2DIO<float>& dark, ClassData2DIO<float>& gain);
// The element at position count / 2 of the gain's values in order.
float Median(const ClassData2DIO<float>& gain);
// picture -= dark; where gain > 10: picture = median * picture / gain.
void Correct(ClassData2DIO<float>& picture, const ClassData2DIO<float>& dark, const ClassData2DIO<float>& gain,
             float median);
// Where gain < 10, scanning rows down and columns right, the pixel becomes
// the largest value of rows y - before .. y + after and columns x - before
// .. x + after (clipped), replacements seen by later windows at once.
void RepairDead(ClassData2DIO<float>& picture, const ClassData2DIO<float>& gain, int before, int after);
// Second scan: a pixel below half the mean m of its 4 x 4 window (rows and
// columns -2 .. +1, clipped, itself included) becomes m, in place.
void FillDarkSpots(ClassData2DIO<float>& picture);

} // namespace flatfield
