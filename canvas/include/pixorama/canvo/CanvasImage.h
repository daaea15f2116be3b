#pragma once

#include "pixorama/canvo/CanvasTypes.h"
#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/common/PointTemplateBase.h"
#include "pixorama/platform/Types.h"

#include <functional>

// The image layer of a canvas: what it shows, the display window and the
// mapping between image pixels and client points. An id outside 0..4 is
// ignored; queries then return neutral values (empty images, null, -1.0).

// Shows a float image: kept as given (when keepOriginal) and as a working
// copy rescaled to 0..65535 that feeds the display window.
void gCVSShowRawFloat(int id, const ClassData2DIO<float>& ima, bool keepOriginal, bool clearOverlays);
// Row r of the image starts at data + r * width.
void gCVSShowRawFloat(int id, float* data, int width, int height, bool keepOriginal, bool clearOverlays);
void gCVSShowUCGray(int id, ClassData2DIO<unsigned char>& ima, bool clearOverlays);
void gCVSShowUCGray(int id, unsigned char* data, int width, int height, bool clearOverlays);
// Three planes of one size.
void gCVSShowUCColor(int id, ClassData2DIO<unsigned char>& r, ClassData2DIO<unsigned char>& g,
                     ClassData2DIO<unsigned char>& b, bool clearOverlays);
void gCVSShowUCColor(int id, unsigned char* r, unsigned char* g, unsigned char* b, int width, int height,
                     bool clearOverlays);

// The working raw (0..65535) and the ori raw (values as given), to read.
// The pointer forms lend the pixels: callers may change them in place and
// then call gCVSSetLutPara.
const ClassData2DIO<float>& gCVSGetRaw(int id);
float* gCVSGetRawPtr1D(int id);
float** gCVSGetRawPtr2D(int id);
const ClassData2DIO<float>& gCVSGetRawOri(int id);
float* gCVSGetRawOriPtr1D(int id);
float** gCVSGetRawOriPtr2D(int id);

// Display window as fractions of the full range; inside the selected region
// only when a region overlay is selected.
void gCVSSetLutPara(int id, float left, float right);
FileType gCVSGetFileType(int id);
// listener runs after every change of canvas id's picture (replaces the one before).
void gCVSOnPictureChanged(int id, std::function<void()> listener);
void gCVSSetFileType(int id, FileType type);

// The image value under a client point (nearest border pixel outside the
// image); -1.0 when there is nothing to read.
float gCVSGetImaPixelValue(int id, plat::Point displayPoint);
void gCVSGetOriPt(int id, plat::Point display, PointTemplateBase<double>& ori);
void gCVSGetOriPt(int id, plat::Point display, double& x, double& y);
void gCVSGetDisplayPt(int id, PointTemplateBase<double> ori, plat::Point& display);
void gCVSGetDisplayPt(int id, double x, double y, plat::Point& display);

void gCVSSetCanvasMoveMode(int id, DisplayMode mode);
