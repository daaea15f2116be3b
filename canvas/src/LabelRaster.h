#pragma once

#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/common/PointTemplateBase.h"

#include <vector>

// Fillers for the label image, which is stored bottom-up: image row y lives
// in label row height - 1 - y. Points are image pixels.

// Fills the closed polygon, boundary included; vertices are clamped into
// the image first.
void fillLabelPolygon(ClassData2DIO<int>& label, std::vector<PointTemplateBase<int>> points, int value);

// Fills the ellipse inscribed in the rectangle with corners (x0, y0) and
// (x1, y1); nothing when the rectangle has no width or height.
void fillLabelEllipse(ClassData2DIO<int>& label, int x0, int y0, int x1, int y1, int value);
