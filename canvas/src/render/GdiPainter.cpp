#include "pixorama/canvo/GdiPainter.h"

void GdiPainter::Outline(plat::Pen::Style style, plat::ColorRef colour)
{
    target->selectPen(plat::Pen{style, 1, colour});
    target->selectBrush(plat::Brush{plat::Brush::Hollow, {}});
}

void GdiPainter::Line(plat::Point from, plat::Point to, plat::Pen::Style style, plat::ColorRef colour)
{
    if (!target)
        return;
    Outline(style, colour);
    target->line(from, to);
}

void GdiPainter::HollowRect(const plat::Rect& r, plat::ColorRef colour)
{
    if (!target)
        return;
    Outline(plat::Pen::Solid, colour);
    target->rectangle(r);
}

void GdiPainter::HollowEllipse(const plat::Rect& r, plat::ColorRef colour)
{
    if (!target)
        return;
    Outline(plat::Pen::Solid, colour);
    target->ellipse(r);
}

void GdiPainter::ClosedPolyline(const std::vector<plat::Point>& points, plat::ColorRef colour)
{
    if (!target || points.empty())
        return;
    Outline(plat::Pen::Solid, colour);
    std::vector<plat::Point> closed = points;
    closed.push_back(points.front());
    target->polyline(closed);
}

void GdiPainter::SelectFont(int height, plat::ColorRef colour, int mode)
{
    font.height = height;
    textColour = colour;
    backgroundMode = mode;
}

void GdiPainter::TextInRect(const CString& text, const plat::Rect& r)
{
    if (!target)
        return;
    plat::Rect box{r.left - 3, r.top - 3, r.right + 3, r.bottom + 3};
    if (fillWhiteBehindText)
        target->fillRect(box, plat::rgb(255, 255, 255));
    target->selectFont(font);
    target->setTextColor(textColour);
    target->setBkMode(plat::TRANSPARENT);
    target->drawText(text, box, plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE);
}

void GdiPainter::TextAt(const CString& text, plat::Point p)
{
    if (!target)
        return;
    target->selectFont(font);
    target->setTextColor(plat::rgb(0, 0, 0xFF));
    target->setBkMode(plat::TRANSPARENT);
    target->textOut(p.x, p.y, text);
}
