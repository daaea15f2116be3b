#pragma once

#include "DibBitmap.h"
#include "GdiObjects.h"
#include "Types.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QFont;
class QPainter;

namespace plat {

// A GDI-shaped painter on a DibBitmap, in window coordinates: (0, 0) is
// the top-left pixel, y grows downwards, rectangles exclude right and
// bottom. Drawing is aliased, as GDI's is:
//  - a line covers its start pixel and stops before its end pixel;
//  - rectangle(r) outlines exactly the border pixels of r with the pen and
//    fills the inside with the brush; ellipse(r) touches every side of r and
//    stays inside it;
//  - without a pen the brush fills all of r.
// Text goes through QPainter on the same buffer with the surface's vertical
// flip in its transform, which mirrors glyphs back upright on screen.
// A Dc keeps no pointer into the buffer between calls, so it stays valid
// across resizes of its surface.
class Dc {
public:
    explicit Dc(DibBitmap& surface);

    DibBitmap& surface() { return target; }
    const DibBitmap& surface() const { return target; }
    int width() const { return target.width(); }
    int height() const { return target.height(); }

    // Selection returns what was selected before, as SelectObject does.
    Pen selectPen(const Pen& pen);
    Brush selectBrush(const Brush& brush);
    Font selectFont(const Font& font);
    const Pen& pen() const { return currentPen; }
    const Brush& brush() const { return currentBrush; }
    const Font& font() const { return currentFont; }

    ColorRef setTextColor(ColorRef color);
    ColorRef setBkColor(ColorRef color);
    int setBkMode(int mode);        // TRANSPARENT or OPAQUE
    int setStretchBltMode(int mode); // COLORONCOLOR or HALFTONE
    ColorRef textColor() const { return textColour; }
    ColorRef bkColor() const { return backColour; }
    int bkMode() const { return backMode; }
    int stretchBltMode() const { return stretchMode; }

    // Drawing is limited to the surface and, when set, to this rectangle.
    void setClipRect(const std::optional<Rect>& clip);

    Point moveTo(Point p);
    void lineTo(Point p);
    void line(Point from, Point to);
    void polyline(const std::vector<Point>& points);
    // Closed and filled with the brush (alternate rule), outlined with the pen.
    void polygon(const std::vector<Point>& points);
    void rectangle(const Rect& r);
    void ellipse(const Rect& r);
    void fillRect(const Rect& r, ColorRef color);
    void fillRect(const Rect& r, const Brush& brush);

    void setPixel(Point p, ColorRef color);
    // The colour at p; CLR_INVALID (0xFFFFFFFF) outside the surface.
    ColorRef getPixel(Point p) const;

    // DrawText: lays text out in r by the DT_ flags and returns its height.
    // With DT_CALCRECT nothing is drawn; r's right and bottom are set to fit
    // the text (its width is kept for DT_WORDBREAK).
    int drawText(const std::wstring& text, Rect& r, unsigned flags);
    // TextOut: text with its top-left cell corner at (x, y).
    void textOut(int x, int y, const std::wstring& text);
    Size textExtent(const std::wstring& text) const;

    // Copies w x h pixels from source's (sx, sy) to (x, y).
    void bitBlt(int x, int y, int w, int h, const DibBitmap& source, int sx, int sy);
    void bitBlt(int x, int y, int w, int h, const Dc& source, int sx, int sy);
    // Scales the source rectangle into the destination rectangle with the
    // current stretch mode; a negative width or height mirrors, as on
    // Windows. Destination pixels that map outside the source are left alone.
    void stretchBlt(const Rect& dst, const DibBitmap& source, const Rect& src);
    void stretchBlt(const Rect& dst, const Dc& source, const Rect& src);

private:
    Rect clipBounds() const;
    void fillSpan(int y, int x0, int x1, const Brush& brush);
    void penPixels(const std::vector<Point>& pixels);
    void strokeWide(const std::vector<Point>& points, bool closed);
    void stroke(const std::vector<Point>& points, bool closed);
    bool beginPainter(QPainter& painter);
    QFont qfont() const;

    DibBitmap& target;
    Pen currentPen;
    Brush currentBrush{Brush::Solid, rgb(255, 255, 255)};
    Font currentFont;
    ColorRef textColour{};
    ColorRef backColour = rgb(255, 255, 255);
    int backMode = OPAQUE;
    int stretchMode = BLACKONWHITE;
    std::optional<Rect> clip;
    Point position;
};

constexpr std::uint32_t CLR_INVALID = 0xFFFFFFFF;

// Test hook: sees every text a Dc draws (measuring draws nothing) and
// whether its inked box fits the box it was drawn in. An empty function
// removes it.
using DrawnTextObserver = std::function<void(const std::wstring& text, bool fits)>;
void setDrawnTextObserver(DrawnTextObserver observer);

} // namespace plat
