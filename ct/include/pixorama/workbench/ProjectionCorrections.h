#pragma once

#include "pixorama/common/ClassData2DIO.h"

#include <vector>

// Corrections of projection data before reconstruction.

enum class I0Source { RowMaximum, ImageMaximum, Fixed };

// Intensities to line integrals: p = ln(I0 / I), with I0 the maximum of the
// pixel's row, of the whole frame, or a fixed value; intensities below
// I0 * 1e-6 count as I0 * 1e-6 so that dark pixels stay finite.
void LogConvert(ClassData2DIO<float>& frame, I0Source source, double fixedI0);

// Beam hardening of line integrals: p + a p^2 with a = 0, 0.02, 0.05, 0.1
// for strength 0 (none), 1 (weak), 2 (medium), 3 (strong); values below
// zero are left alone.
void CorrectBeamHardening(ClassData2DIO<float>& frame, int strength);

// Isolated extreme pixels: a pixel above or below all eight neighbours by
// more than a tenth of the frame's range from the 3 x 3 median takes that
// median.
void RemoveSpeckles(ClassData2DIO<float>& frame);

// Ring artefacts, on each detector row taken over all views (a sinogram):
// every column loses the difference between its mean over the views and
// the median of the means of the 9 columns around it, so that a detector
// column that reads steadily high or low no longer draws a ring.
void RemoveRings(ClassData2DIO<float>& sinogram);
// The same for every detector row of a stack of frames (one per view).
void RemoveRings(std::vector<ClassData2DIO<float>>& frames);
