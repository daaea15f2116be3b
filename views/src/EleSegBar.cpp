#include "pixorama/tilemo/EleSegBar.h"

#include "pixorama/platform/Messages.h"
#include "pixorama/tilemo/ViewInput.h"

#include <QPalette>
#include <QWidget>

#include "WidgetRect.h"

#include <algorithm>

namespace {

plat::ColorRef barColour = plat::rgb(200, 200, 200);

constexpr int outlineGrey = 96;

} // namespace

EleSegBar::EleSegBar(plat::Wnd* ownerWindow, bool isVertical, int controlId)
    : plat::DragBar(ownerWindow), vertical(isVertical), id(controlId)
{
    setCursor(vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
}

void EleSegBar::setLimits(int lowerLimit, int upperLimit)
{
    lower = lowerLimit;
    upper = upperLimit;
}

void EleSegBar::place(const plat::Rect& r)
{
    rect = r;
    setGeometry(widgetRect(r));
}

void EleSegBar::setColor(int red, int green, int blue)
{
    barColour = plat::rgb(red, green, blue);
}

plat::ColorRef EleSegBar::color()
{
    return barColour;
}

void EleSegBar::onPaint(plat::Dc& dc)
{
    dc.fillRect(clientRect(), barColour);
}

void EleSegBar::startDrag(plat::Point p)
{
    const plat::Rect area = owner->clientRect();
    grab = axis(p);
    startLeading = vertical ? rect.left : rect.top;
    const int thickness = vertical ? rect.width() : rect.height();
    maxLeading = (vertical ? area.width() : area.height()) - thickness;
    outline = rect;
    showOutline(widgetRect(outline));
}

QWidget* EleSegBar::makeOutline()
{
    auto* widget = new QWidget(owner);
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(outlineGrey, outlineGrey, outlineGrey));
    widget->setPalette(palette);
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    return widget;
}

plat::Rect EleSegBar::shifted(int leading) const
{
    if (vertical)
        return {leading, rect.top, leading + rect.width(), rect.bottom};
    return {rect.left, leading, rect.right, leading + rect.height()};
}

void EleSegBar::followDrag(plat::Point p)
{
    const int thickness = vertical ? rect.width() : rect.height();
    // Stay inside the owner, then keep the trailing edge within the limits.
    int leading = std::clamp(startLeading + axis(p) - grab, 0, std::max(0, maxLeading));
    leading = std::clamp(leading + thickness, lower, std::max(lower, upper)) - thickness;
    outline = shifted(leading);
    moveOutline(widgetRect(outline));
}

void EleSegBar::finishDrag()
{
    if (outline == rect)
        return;
    place(outline);
    owner->invalidate();
    pos = vertical ? outline.left : outline.top;
    plat::sendMessage(owner, WM_CTER_BARMOVED, std::uintptr_t(pos), id);
}
