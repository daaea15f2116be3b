#pragma once

#include "pixorama/common/ClassData2DIO.h"

// Dark/bright correction of one detector half. The gain is bright - dark,
// taken pixel by pixel as it is needed; pixels with a gain above 10 are
// scaled to the median gain, pixels with a gain below 10 are dead, and a
// gain of exactly 10 is neither. A picture of another size than the
// calibration images is corrected over the part they share.
namespace flatfield {

struct Calibration {
    const ClassData2DIO<float>& bright;
    const ClassData2DIO<float>& dark;
};

// The element at position count / 2 of the gains in increasing order.
float MedianGain(const Calibration& c);
// picture -= dark; where gain > 10: picture = median * picture / gain.
void Correct(ClassData2DIO<float>& picture, const Calibration& c, float median);
// Where gain < 10, scanning rows down and columns right, the pixel becomes
// the largest value of rows y - before .. y + after and columns x - before
// .. x + after (clipped), replacements seen by later windows at once.
void RepairDead(ClassData2DIO<float>& picture, const Calibration& c, int before, int after);
// Second scan: a pixel below half the mean m of its 4 x 4 window (rows and
// columns -2 .. +1, clipped, itself included) becomes m, in place.
void FillDarkSpots(ClassData2DIO<float>& picture);

} // namespace flatfield
