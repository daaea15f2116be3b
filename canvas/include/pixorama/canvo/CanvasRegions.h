#pragma once

#include "pixorama/common/ClassData2DIO.h"

// Region overlays and the label image. Every add appends an empty, selected
// overlay whose points the user then places. An id outside 0..4 is ignored:
// nothing is added and the queries return 0, null or an empty image.

void gCVSAddMRectangle(int id);
// Asks for the corners with the ROI dialog (image pixels); cancel adds nothing.
void gCVSAddCustomRectangle(int id);
void gCVSAddPoly(int id);
void gCVSAddSpline(int id);
void gCVSAddFreeRegion(int id);
void gCVSAddFreeStroke(int id);

// Rasterises the regions (every one, or only the selected one) into the
// label image: 0 outside them, ordinal + 1 inside, later regions on top.
// With no overlays, or with selectedOnly and nothing selected, every value
// is 1. Returns the label of the last region filled, 1 when none was.
int gCVSGenerateLabel(int id, bool selectedOnly);

// The label image of the canvas size, stored bottom-up like the canvas
// surface: row r describes image row height - 1 - r. Lent by reference;
// it keeps its content until the next gCVSGenerateLabel.
ClassData2DIO<int>& gCVSGetLabelIma(int id);
int* gCVSGetLabelImaPtr1D(int id);
int** gCVSGetLabelImaPtr2D(int id);
