#pragma once

#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/workbench/RegionStatistics.h"
#include "pixorama/workbench/ResultsTable.h"
#include "pixorama/workbench/SavedOverlay.h"

// The picture a region is measured on: raw values (rows top-down, as read)
// or the 8-bit grey picture (rows bottom-up, as the canvas holds them).
struct MeasuredPicture {
    std::wstring name;
    const ClassData2DIO<float>* raw = nullptr;
    const ClassData2DIO<unsigned char>* grey = nullptr;
    double measureScale = 1.0; // millimetres per pixel; 1 when not known

    int Width() const { return raw ? raw->width : grey ? grey->width : 0; }
    int Height() const { return raw ? raw->height : grey ? grey->height : 0; }
};

// Rasterises a region into label (width x height, rows bottom-up like the
// canvas's label image): 1 inside, 0 outside, by the canvas's own rules.
// False when the overlay is no region.
bool gRasteriseRegion(const SavedOverlay& region, int width, int height, ClassData2DIO<int>& label);

// The region's row: area, mean, extremes and deviations, and for 8-bit
// pictures SNR, PSNR, entropy and JNB; the numbers of "统计分析". label is
// a scratch image of the picture's size.
ResultRow gMeasureRegionRow(const SavedOverlay& region, const MeasuredPicture& picture, ClassData2DIO<int>& label);

// Fills the row's unit and values from a region's measures; raw pictures
// show no SNR, PSNR, entropy or JNB, as their statistics text.
void gFillRegionValues(ResultRow& row, const RegionMeasures& m, bool raw, double measureScale);
// The measures of the pixels labelled key.
RegionMeasures gMeasurePictureRegion(const MeasuredPicture& picture, const ClassData2DIO<int>& label, int key);

// "px", or "mm" when the scale is known.
std::wstring gUnitOf(double measureScale);
