// Draws the toolbar strip: 13 images of 20 x 20 side by side, in button
// order (open, reopen, keep result, one/two/four/information views, new,
// save label, save raw, save current, save shown, save window). Black is
// the transparent colour, so the drawings avoid it.
#include "pixorama/platform/AtomicFile.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {

constexpr int side = 20;
const QColor ink(40, 44, 52);
const QColor paper(250, 250, 245);
const QColor folder(232, 182, 64);
const QColor accent(40, 120, 215);
const QColor green(60, 160, 80);
const QColor red(205, 60, 50);

void page(QPainter& p)
{
    QPainterPath path;
    path.moveTo(4, 2);
    path.lineTo(12, 2);
    path.lineTo(16, 6);
    path.lineTo(16, 18);
    path.lineTo(4, 18);
    path.closeSubpath();
    p.setPen(QPen(ink, 1));
    p.setBrush(paper);
    p.drawPath(path);
}

void disk(QPainter& p, const QColor& label)
{
    p.setPen(QPen(ink, 1));
    p.setBrush(accent);
    p.drawRect(2, 2, 15, 15);
    p.setBrush(paper);
    p.drawRect(5, 2, 9, 6);
    p.setBrush(label);
    p.drawRect(5, 11, 9, 6);
}

void views(QPainter& p, int columns, int rows)
{
    p.setPen(QPen(ink, 1));
    p.setBrush(paper);
    const int w = 16 / columns;
    const int h = 16 / rows;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            p.drawRect(2 + c * w, 2 + r * h, w - 1, h - 1);
}

void arrow(QPainter& p, const QColor& colour)
{
    p.setPen(QPen(colour, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(4, 4, 12, 12, 30 * 16, 280 * 16);
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygon({QPoint(13, 1), QPoint(18, 6), QPoint(12, 8)}));
}

const std::function<void(QPainter&)> drawings[13] = {
    [](QPainter& p) { // open
        p.setPen(QPen(ink, 1));
        p.setBrush(folder);
        p.drawRect(2, 6, 16, 11);
        p.drawRect(2, 4, 6, 2);
    },
    [](QPainter& p) { arrow(p, accent); }, // reopen
    [](QPainter& p) { // keep result
        p.setPen(QPen(green, 3));
        p.drawPolyline(QPolygon({QPoint(3, 10), QPoint(8, 15), QPoint(17, 4)}));
    },
    [](QPainter& p) { views(p, 1, 1); },
    [](QPainter& p) { views(p, 2, 1); },
    [](QPainter& p) { views(p, 2, 2); },
    [](QPainter& p) { // information view
        views(p, 1, 1);
        p.setPen(QPen(accent, 2));
        for (int y = 7; y <= 15; y += 4)
            p.drawLine(5, y, 14, y);
    },
    [](QPainter& p) { // new picture
        page(p);
        p.setPen(QPen(green, 2));
        p.drawLine(10, 8, 10, 15);
        p.drawLine(7, 11, 13, 11);
    },
    [](QPainter& p) { disk(p, QColor(240, 150, 40)); }, // label
    [](QPainter& p) { disk(p, QColor(150, 150, 150)); }, // raw
    [](QPainter& p) { disk(p, green); }, // current
    [](QPainter& p) { disk(p, red); }, // shown
    [](QPainter& p) { // window
        disk(p, paper);
        p.setPen(QPen(accent, 1));
        p.drawRect(7, 12, 5, 3);
    },
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_toolbar_strip FILE.bmp\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    QImage strip(side * 13, side, QImage::Format_RGB32);
    strip.fill(Qt::black);
    for (int i = 0; i < 13; ++i) {
        QPainter p(&strip);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.translate(i * side, 0);
        p.setClipRect(0, 0, side, side);
        drawings[i](p);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!strip.save(&buffer, "BMP") || !plat::writeFileAtomically(argv[1], bytes.constData(), std::size_t(bytes.size()))) {
        std::fprintf(stderr, "make_toolbar_strip: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
