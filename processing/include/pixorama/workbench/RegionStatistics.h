#pragma once

#include "pixorama/common/ClassData2DIO.h"

#include <cstdint>
#include <string>
#include <vector>

// Measures of the pixels of a labelled region (label == key).
//
// Grey data has the canvas's row order, so data row i pairs with label row
// i; raw data has image order, so data row i pairs with label row H - 1 - i
// (the label image is bottom-up). Only the part both pictures cover counts.
struct RegionMeasures {
    std::int64_t count = 0;
    double maximum = 0.0; // the region's true extremes; 0 and 100000 when empty
    double minimum = 100000.0;
    double mean = 1e-7; // 1e-7 for an empty region
    double stdevp = 0.0;
    double stdev = 0.0;   // NaN for a single pixel
    double snr = 0.0;     // 10 ln(sum v^2 / sum (v - m)^2)
    double psnr = 0.0;    // 10 ln(n 255^2 / sum (v - m)^2)
    double entropy = 0.0; // -sum p ln p over the 256 grey levels
    // Region pixels with a non-zero Sobel gradient divided by those with a
    // non-zero Laplacian (3 x 3, 4-neighbour), both on the grey picture with
    // the edge pixels repeated at the border.
    double jnb = 0.0;
};

RegionMeasures gMeasureGreyRegion(const ClassData2DIO<unsigned char>& grey, const ClassData2DIO<int>& label, int key);
// Extremes, mean and deviations only.
RegionMeasures gMeasureRawRegion(const ClassData2DIO<float>& raw, const ClassData2DIO<int>& label, int key);

// A run of region pixels on one raw (top-down) row: columns begin..end - 1.
struct RegionSpan {
    int row = 0;
    int begin = 0;
    int end = 0;
};

// The runs of label == key within the first width x height pixels, raw row
// order (the label image is bottom-up), rows and columns ascending.
std::vector<RegionSpan> gRegionSpans(const ClassData2DIO<int>& label, int key, int width, int height);
// gMeasureRawRegion over runs found once; spans outside raw are skipped.
RegionMeasures gMeasureRawSpans(const ClassData2DIO<float>& raw, const std::vector<RegionSpan>& spans);

// The texts shown in the information view.
std::wstring gStatisticsTextRaw(const RegionMeasures& m);
std::wstring gStatisticsTextColour(const RegionMeasures& m);
