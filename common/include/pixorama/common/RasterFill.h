#pragma once

#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/common/PointTemplateBase.h"

#include <vector>

// Fillers that turn shapes into label values. Pixel (x, y) is img.rows[y][x]:
// they write through the row table, so a table in reversed row order fills
// a bottom-up image without a flip. Every span is clipped to the image; an
// empty image is left alone.

// Fills the closed polygon (the last vertex joins the first), boundary
// included. The vertices are first clamped into the image, in the caller's
// vector. Fewer than two distinct vertices fill nothing.
void FillPolygon(ClassData2DIO<int>& img, std::vector<PointTemplateBase<int>>& pts, int value);

// Fills the closed smooth curve through the points (see mB3Line). The list
// is closed by repeating the first point unless it already ends there; the
// closed list takes 2 to 199 entries, otherwise nothing is filled. pts is
// not changed.
void FillSpline(ClassData2DIO<int>& img, std::vector<PointTemplateBase<int>>& pts, int value);

// The ellipse inscribed in the box with corners (x0, y0) and (x1, y1), drawn
// only when fill is set. A box less than two pixels wide or high draws
// nothing.
void DrawEcllipse(ClassData2DIO<int>& img, int x0, int y0, int x1, int y1, bool fill, int value);
