#pragma once

#include "pixorama/workbench/ColourPlanes.h"

#include <vector>

// Segmentation pipelines over the core of WatershedCore.h. Pictures are
// w x h bytes, row after row. Core failures propagate as SegmentationError.

// Smoothing with the 3 x 3 kernel of the 8-bit image class (truncated back to
// bytes), MultiscaleGradient over 3 scales, GenericClosingByReconstruction of
// depth 20, GenericWatershed: the basin label of every pixel.
std::vector<int> SimpleWatershed(const unsigned char* picture, int w, int h);

// The low byte of every label; negative labels become 0.
std::vector<unsigned char> LabelLowBytes(const std::vector<int>& labels);

// The watershed of a colour picture: each plane smoothed, the largest of the
// three planes' multiscale gradients, closing by reconstruction, flooding.
std::vector<int> ColourWatershed(ColourPlanes planes);

// Paints (red, green, blue) on every pixel whose right or lower neighbour lies
// in another basin: one-pixel lines between the basins.
void DrawBasinBorders(const std::vector<int>& labels, ColourPlanes planes, unsigned char red, unsigned char green,
                      unsigned char blue);
// Every pixel takes the mean colour of its basin.
void PaintBasinMeans(const std::vector<int>& labels, ColourPlanes planes);

// The threshold t of Otsu's method over the picture's histogram: values above
// t form the brighter class. A constant picture gives its own value.
int OtsuThreshold(const ClassData2DIO<unsigned char>& grey);

// "二值化": the grey picture above its Otsu threshold becomes white, the rest
// black, in all three planes.
void GlobalBinarize(ColourPlanes planes);
// "局部二值化": the grey picture smoothed 3 x 3, then the local adaptive
// threshold of window 50; white and black in all three planes.
void LocalBinarize(ColourPlanes planes);
// "复杂局部二值化": the grey picture smoothed with a 5 x 5 Gaussian, the local
// adaptive threshold of window 50, specks removed by a 3 x 3 opening and
// holes by a closing; the outlines of the white regions are drawn in red over
// the picture.
void OutlineLocalBinarize(ColourPlanes planes);
