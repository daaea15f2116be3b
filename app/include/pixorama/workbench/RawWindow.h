#pragma once

#include "pixorama/common/ClassData2DIO.h"

#include <array>

struct tagQEVParaReport;

// The display window of a raw picture in canvas 4 (fractions of its
// 0..65535 working range), however it is set.

// Remembers the window, shows "LUTRAW Left = %3.3f ;Right = %3.3f" in the
// information view and, when canvas 4 holds raw data, applies it and
// repaints.
void SetRawWindow(float left, float right);
// The kind of a 0x089A report that carries the display window.
inline constexpr int rawWindowReportKind = 19;
// A right-button drag by (dx, dy) client pixels on canvas 4: right widens
// the window, down raises its level. Nothing without raw data.
void DragRawWindow(int dx, int dy);
// Gives the display-window strip the histogram of canvas 4's raw picture
// (none without one) and the current window.
void ShowRawHistogram();
// The window from the 0.5 % and 99.5 % points of the histogram of canvas 4's
// working raw; the message "没有raw图像" without raw data.
bool AutoRawWindow();
// Those two points of a working raw (0..65535) as fractions; {0, 1} for an
// empty image.
std::array<float, 2> AutoWindowFractions(const ClassData2DIO<float>& working);
// 256 bins of a working raw (0..65535), for the contrast strip; pictures
// over 2047 rows are counted on every (height / 1024)-th row.
std::array<int, 256> RawHistogram(const ClassData2DIO<float>& working);
