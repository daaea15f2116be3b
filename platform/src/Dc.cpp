#include "pixorama/platform/Dc.h"

#include "Blit.h"
#include "Raster.h"

#include <QPainter>
#include <QPainterPath>

#include <utility>

#include <algorithm>

namespace plat {

namespace {

QColor qcolor(ColorRef c)
{
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

bool diagonalCross(int x, int y)
{
    return ((x - y) & 7) == 0 || ((x + y) & 7) == 0;
}

} // namespace

Dc::Dc(DibBitmap& surface) : target(surface) {}

Pen Dc::selectPen(const Pen& pen)
{
    return std::exchange(currentPen, pen);
}

Brush Dc::selectBrush(const Brush& brush)
{
    return std::exchange(currentBrush, brush);
}

Font Dc::selectFont(const Font& font)
{
    return std::exchange(currentFont, font);
}

ColorRef Dc::setTextColor(ColorRef color)
{
    return std::exchange(textColour, color);
}

ColorRef Dc::setBkColor(ColorRef color)
{
    return std::exchange(backColour, color);
}

int Dc::setBkMode(int mode)
{
    return std::exchange(backMode, mode == TRANSPARENT ? TRANSPARENT : OPAQUE);
}

int Dc::setStretchBltMode(int mode)
{
    return std::exchange(stretchMode, mode);
}

void Dc::setClipRect(const std::optional<Rect>& rect)
{
    clip = rect;
}

Rect Dc::clipBounds() const
{
    Rect bounds{0, 0, target.width(), target.height()};
    if (clip) {
        bounds.left = std::max(bounds.left, clip->left);
        bounds.top = std::max(bounds.top, clip->top);
        bounds.right = std::min(bounds.right, clip->right);
        bounds.bottom = std::min(bounds.bottom, clip->bottom);
    }
    return bounds;
}

void Dc::fillSpan(int y, int x0, int x1, const Brush& brush)
{
    const Rect bounds = clipBounds();
    if (brush.style == Brush::Hollow || y < bounds.top || y >= bounds.bottom)
        return;
    x0 = std::max(x0, bounds.left);
    x1 = std::min(x1, bounds.right);
    if (x1 <= x0)
        return;
    Pixel* row = target.line(y);
    const Pixel ink = pixelOf(brush.color);
    if (brush.style == Brush::Solid) {
        std::fill(row + x0, row + x1, ink);
        return;
    }
    const Pixel paper = pixelOf(backColour);
    const bool opaque = backMode == OPAQUE;
    for (int x = x0; x < x1; ++x) {
        if (diagonalCross(x, y))
            row[x] = ink;
        else if (opaque)
            row[x] = paper;
    }
}

// Pixels of a one-pixel pen; a dotted pen runs three on, three off, and the
// gaps take the background colour in opaque mode.
void Dc::penPixels(const std::vector<Point>& pixels)
{
    const Rect bounds = clipBounds();
    const Pixel ink = pixelOf(currentPen.color);
    const Pixel paper = pixelOf(backColour);
    const bool dotted = currentPen.style == Pen::Dot;
    const bool opaque = backMode == OPAQUE;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const Point p = pixels[i];
        if (!bounds.contains(p))
            continue;
        if (!dotted || (i / 3) % 2 == 0)
            target.line(p.y)[p.x] = ink;
        else if (opaque)
            target.line(p.y)[p.x] = paper;
    }
}

bool Dc::beginPainter(QPainter& painter)
{
    if (target.isEmpty() || !painter.begin(&target.memoryImage()))
        return false;
    // Window y maps to memory row height - 1 - y: pixel centres land on
    // pixel centres, and glyphs come out mirrored in memory, upright on screen.
    painter.setTransform(QTransform(1, 0, 0, -1, 0, target.height()));
    const Rect bounds = clipBounds();
    painter.setClipRect(QRect(bounds.left, bounds.top, bounds.width(), bounds.height()));
    return true;
}

// Pens wider than a pixel are round, centred on the path through the pixel centres.
void Dc::strokeWide(const std::vector<Point>& points, bool closed)
{
    QPainter painter;
    if (!beginPainter(painter))
        return;
    QPen pen(qcolor(currentPen.color), currentPen.width, currentPen.style == Pen::Dot ? Qt::DotLine : Qt::SolidLine,
             Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    QPainterPath path;
    path.moveTo(points.front().x + 0.5, points.front().y + 0.5);
    for (std::size_t i = 1; i < points.size(); ++i)
        path.lineTo(points[i].x + 0.5, points[i].y + 0.5);
    if (closed)
        path.closeSubpath();
    painter.drawPath(path);
}

void Dc::stroke(const std::vector<Point>& points, bool closed)
{
    if (currentPen.style == Pen::Null || points.size() < 2)
        return;
    if (currentPen.width > 1) {
        strokeWide(points, closed);
        return;
    }
    std::vector<Point> pixels;
    const std::size_t segments = closed ? points.size() : points.size() - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const auto part = raster::linePixels(points[i], points[(i + 1) % points.size()]);
        pixels.insert(pixels.end(), part.begin(), part.end());
    }
    penPixels(pixels);
}

Point Dc::moveTo(Point p)
{
    return std::exchange(position, p);
}

void Dc::lineTo(Point p)
{
    stroke({position, p}, false);
    position = p;
}

void Dc::line(Point from, Point to)
{
    moveTo(from);
    lineTo(to);
}

void Dc::polyline(const std::vector<Point>& points)
{
    stroke(points, false);
}

void Dc::polygon(const std::vector<Point>& points)
{
    for (const raster::Span& span : raster::polygonSpans(points))
        fillSpan(span.y, span.x0, span.x1, currentBrush);
    stroke(points, true);
}

void Dc::rectangle(const Rect& r)
{
    if (r.isEmpty())
        return;
    if (currentPen.style == Pen::Null) {
        fillRect(r, currentBrush);
        return;
    }
    // The pen stays inside r, so r is exactly the extent drawn.
    const int w = std::clamp(currentPen.width, 1, std::min(r.width(), r.height()));
    fillRect({r.left + w, r.top + w, r.right - w, r.bottom - w}, currentBrush);
    if (currentPen.style == Pen::Dot && w == 1) {
        stroke({{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}}, true);
        if (r.width() == 1 || r.height() == 1)
            penPixels({{r.right - 1, r.bottom - 1}});
        return;
    }
    const Brush ink{Brush::Solid, currentPen.color};
    fillRect({r.left, r.top, r.right, r.top + w}, ink);
    fillRect({r.left, r.bottom - w, r.right, r.bottom}, ink);
    fillRect({r.left, r.top + w, r.left + w, r.bottom - w}, ink);
    fillRect({r.right - w, r.top + w, r.right, r.bottom - w}, ink);
}

void Dc::ellipse(const Rect& r)
{
    const auto outer = raster::ellipseSpans(r);
    if (currentPen.style == Pen::Null) {
        for (const raster::Span& s : outer)
            fillSpan(s.y, s.x0, s.x1, currentBrush);
        return;
    }
    // The ring between r's ellipse and the one a pen width inside it.
    const int w = std::max(1, currentPen.width);
    const auto inner = raster::ellipseSpans({r.left + w, r.top + w, r.right - w, r.bottom - w});
    const Brush ink{Brush::Solid, currentPen.color};
    std::size_t k = 0;
    for (const raster::Span& s : outer) {
        while (k < inner.size() && inner[k].y < s.y)
            ++k;
        if (k < inner.size() && inner[k].y == s.y && inner[k].x1 > inner[k].x0) {
            fillSpan(s.y, s.x0, inner[k].x0, ink);
            fillSpan(s.y, inner[k].x0, inner[k].x1, currentBrush);
            fillSpan(s.y, inner[k].x1, s.x1, ink);
        } else {
            fillSpan(s.y, s.x0, s.x1, ink);
        }
    }
}

void Dc::fillRect(const Rect& r, ColorRef color)
{
    fillRect(r, Brush{Brush::Solid, color});
}

void Dc::fillRect(const Rect& r, const Brush& brush)
{
    const Rect bounds = clipBounds();
    const int top = std::max(r.top, bounds.top);
    const int bottom = std::min(r.bottom, bounds.bottom);
    for (int y = top; y < bottom; ++y)
        fillSpan(y, r.left, r.right, brush);
}

void Dc::setPixel(Point p, ColorRef color)
{
    if (clipBounds().contains(p))
        target.line(p.y)[p.x] = pixelOf(color);
}

ColorRef Dc::getPixel(Point p) const
{
    if (!Rect{0, 0, target.width(), target.height()}.contains(p))
        return ColorRef{CLR_INVALID};
    const Pixel v = target.line(p.y)[p.x];
    return rgb(int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF));
}

void Dc::bitBlt(int x, int y, int w, int h, const DibBitmap& source, int sx, int sy)
{
    blit::copy(target, {x, y}, {w, h}, source, {sx, sy}, clipBounds());
}

void Dc::bitBlt(int x, int y, int w, int h, const Dc& source, int sx, int sy)
{
    bitBlt(x, y, w, h, source.surface(), sx, sy);
}

void Dc::stretchBlt(const Rect& dst, const DibBitmap& source, const Rect& src)
{
    blit::stretch(target, dst, source, src, stretchMode == HALFTONE, clipBounds());
}

void Dc::stretchBlt(const Rect& dst, const Dc& source, const Rect& src)
{
    stretchBlt(dst, source.surface(), src);
}

} // namespace plat
