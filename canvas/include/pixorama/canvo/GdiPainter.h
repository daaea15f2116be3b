#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/platform/Dc.h"
#include "pixorama/platform/GdiObjects.h"
#include "pixorama/platform/Types.h"

#include <vector>

// The drawing helper of the canvas and of every overlay, bound to a painter
// while drawing. Outlines are one pixel wide and hollow.
class GdiPainter {
public:
    void Bind(plat::Dc* dc) { target = dc; }
    plat::Dc* Bound() const { return target; }

    void Line(plat::Point from, plat::Point to, plat::Pen::Style style, plat::ColorRef colour);
    void HollowRect(const plat::Rect& r, plat::ColorRef colour);
    void HollowEllipse(const plat::Rect& r, plat::ColorRef colour);
    // Through every point and back to the first.
    void ClosedPolyline(const std::vector<plat::Point>& points, plat::ColorRef colour);
    // Face "微软雅黑", weight 400.
    void SelectFont(int height, plat::ColorRef textColour, int backgroundMode);
    // Centred on one line in r grown by 3 pixels, on white when
    // fillWhiteBehindText is set, drawn transparent.
    void TextInRect(const CString& text, const plat::Rect& r);
    // Transparent, in blue, top-left corner at p.
    void TextAt(const CString& text, plat::Point p);

    int BackgroundMode() const { return backgroundMode; }

    bool fillWhiteBehindText = true;

private:
    // Selects pen and brush for one call and restores the painter's own.
    void Outline(plat::Pen::Style style, plat::ColorRef colour);

    plat::Dc* target = nullptr;
    plat::Font font{L"微软雅黑", 12, 400, false};
    plat::ColorRef textColour{};
    int backgroundMode = plat::TRANSPARENT;
};
