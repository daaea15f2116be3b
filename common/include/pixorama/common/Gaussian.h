#pragma once

#include "ClassData2DIO.h"

#include <functional>

// exp(-x^2 / (2 sigma^2)) / (sqrt(2 pi) sigma), computed in double.
float OneDGaussian(float x, float sigma);

// Sets k to a w x h Gaussian rotated by angle (radians) and normalised to sum
// one. Column i stands for x = i + 1 - (w + 1) / 2 and row r for
// y = r + 1 - (h + 1) / 2, so odd sizes are centred; with
// u = x cos(angle) - y sin(angle) and v = x sin(angle) + y cos(angle) the tap is
// OneDGaussian(u, sigmaX) * OneDGaussian(v, sigmaY). A sigma that is not
// positive shrinks that axis to its zero line (no blur along it). A size
// below 1 leaves k unchanged and returns false.
bool TwoDGaussian_LSE(ClassData2DIO<float>* k, int w, float sigmaX, int h, float sigmaY, float angle);

// Correlates img with a size x size Gaussian of the given sigma and angle
// through ConFltMC. False, with img unchanged, for an even or non-positive size.
bool gGauss(ClassData2DIO<float>* img, int size, float sigma, float angle);

// gGauss of a byte picture (rows[y] holds row y, w bytes), handed out a row
// at a time: row(y, blurred) receives the w floats gGauss gives row y of the
// picture taken as floats, valid during the call, and may change rows[y]
// meanwhile. Large pictures are split over the processors, so calls for
// different rows may run side by side. False for an even or non-positive size.
using GaussRow = std::function<void(int y, const float* blurred)>;
bool gGaussRows(unsigned char* const* rows, int w, int h, int size, float sigma, float angle, const GaussRow& row);

// gGaussRows of count byte pictures of one size (planes[p][y] holds row y of
// picture p), all in one split over the processors: row(p, y, blurred).
using GaussPlaneRow = std::function<void(int plane, int y, const float* blurred)>;
bool gGaussPlanes(unsigned char* const* const* planes, int count, int w, int h, int size, float sigma, float angle,
                  const GaussPlaneRow& row);

// gGaussPlanes with every blurred row truncated to bytes and held to 0..255
// (not-a-number gives 0): row(p, y, blurred) receives w bytes.
using GaussPlaneByteRow = std::function<void(int plane, int y, const unsigned char* blurred)>;
bool gGaussPlanesTruncated(unsigned char* const* const* planes, int count, int w, int h, int size, float sigma,
                           float angle, const GaussPlaneByteRow& row);
