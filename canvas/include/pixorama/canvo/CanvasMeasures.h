#pragma once

// Measurement overlays. Each add appends the overlay to canvas id and
// selects it; the user then places its points with Shift-clicks. An id
// outside 0..4 is ignored.

void gCVSAddMeasureLine(int id);
void gCVSAddMeasureAngle3Pts(int id);
void gCVSAddMeasureAngle4Pts(int id);
// The profile chart, the 5 x 5 neighbour window and the information window
// start at client (30, 30), 512 x 150.
void gCVSAddLineProfile(int id);
void gCVSAddNeighborPV(int id);
void gCVSAddInfoWin(int id);

// Millimetres per image pixel for lines made from now on; lines that exist
// keep theirs.
void gCVSSetMeasureScale(int id, double mmPerPixel);
// Asks the user for the scale; a cancelled dialog changes nothing and text
// that is not a number gives 0.
void gCVSSetMeasureScale(int id);
