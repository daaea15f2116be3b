#include "pixorama/platform/Dc.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>

// The text members of Dc: fonts need a running GUI application, so without
// one text measures as empty and draws nothing.
namespace plat {

namespace {

int qtFlags(unsigned flags)
{
    int qt = 0;
    if (flags & DT_CENTER)
        qt |= Qt::AlignHCenter;
    else if (flags & DT_RIGHT)
        qt |= Qt::AlignRight;
    else
        qt |= Qt::AlignLeft;
    // Vertical placement applies to a single line only, as on Windows.
    if ((flags & DT_SINGLELINE) && (flags & DT_VCENTER))
        qt |= Qt::AlignVCenter;
    else if ((flags & DT_SINGLELINE) && (flags & DT_BOTTOM))
        qt |= Qt::AlignBottom;
    else
        qt |= Qt::AlignTop;
    if (flags & DT_SINGLELINE)
        qt |= Qt::TextSingleLine;
    if (flags & DT_WORDBREAK)
        qt |= Qt::TextWordWrap;
    if (flags & DT_NOCLIP)
        qt |= Qt::TextDontClip;
    return qt;
}

QRect qrect(const Rect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

bool haveFonts()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

struct Observer {
    std::mutex mutex;
    std::atomic<bool> installed{false};
    DrawnTextObserver observe;
};

Observer& observer()
{
    static Observer instance;
    return instance;
}

void report(const std::wstring& text, bool fits)
{
    Observer& o = observer();
    if (!o.installed.load())
        return;
    DrawnTextObserver observe;
    {
        std::lock_guard lock(o.mutex);
        observe = o.observe;
    }
    if (observe)
        observe(text, fits);
}

} // namespace

void setDrawnTextObserver(DrawnTextObserver observe)
{
    Observer& o = observer();
    std::lock_guard lock(o.mutex);
    o.installed.store(bool(observe));
    o.observe = std::move(observe);
}

QFont Dc::qfont() const
{
    QFont font(QString::fromStdWString(currentFont.face));
    font.setPixelSize(std::max(1, std::abs(currentFont.height)));
    font.setWeight(QFont::Weight(std::clamp(currentFont.weight, 100, 900)));
    font.setItalic(currentFont.italic);
    return font;
}

int Dc::drawText(const std::wstring& text, Rect& r, unsigned flags)
{
    if (!haveFonts())
        return 0;
    const QFont font = qfont();
    const QString string = QString::fromStdWString(text);
    const int qt = qtFlags(flags);
    const QFontMetrics metrics(font);
    if (flags & DT_CALCRECT) {
        const int available = (flags & DT_WORDBREAK) ? std::max(1, r.width()) : 1 << 20;
        const QRect needed = metrics.boundingRect(QRect(r.left, r.top, available, 1 << 20), qt & ~Qt::AlignVertical_Mask, string);
        r.right = r.left + needed.width();
        r.bottom = r.top + needed.height();
        return needed.height();
    }
    const QRect box = qrect(r);
    const QRect inked = metrics.boundingRect(box, qt, string);
    report(text, (flags & DT_NOCLIP) != 0 || (inked.width() <= box.width() && inked.height() <= box.height()));
    QPainter painter;
    if (!beginPainter(painter))
        return inked.height();
    if (!(flags & DT_NOCLIP))
        painter.setClipRect(box, Qt::IntersectClip);
    if (backMode == OPAQUE)
        painter.fillRect(inked, QColor(redOf(backColour), greenOf(backColour), blueOf(backColour)));
    painter.setFont(font);
    painter.setPen(QColor(redOf(textColour), greenOf(textColour), blueOf(textColour)));
    painter.drawText(box, qt, string);
    return inked.height();
}

void Dc::textOut(int x, int y, const std::wstring& text)
{
    const Size extent = textExtent(text);
    Rect cell{x, y, x + extent.cx, y + extent.cy};
    drawText(text, cell, DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
}

Size Dc::textExtent(const std::wstring& text) const
{
    if (!haveFonts())
        return {};
    const QFontMetrics metrics(qfont());
    return {metrics.horizontalAdvance(QString::fromStdWString(text)), metrics.height()};
}

} // namespace plat
