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
    : plat::Wnd(ownerWindow), owner(ownerWindow), vertical(isVertical), id(controlId)
{
    setCursor(vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
    setFocusPolicy(Qt::NoFocus);
}

EleSegBar::~EleSegBar()
{
    delete outlineWidget.data();
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

void EleSegBar::onLButtonDown(unsigned, plat::Point p)
{
    // Someone else's drag or capture wins.
    QWidget* grabber = QWidget::mouseGrabber();
    if (dragging || (grabber != nullptr && grabber != this))
        return;
    beginDrag(p);
}

void EleSegBar::beginDrag(plat::Point p)
{
    if (owner == nullptr)
        return;
    const plat::Rect area = owner->clientRect();
    if (area.isEmpty())
        return;
    dragging = true;
    grab = axis(p);
    startLeading = vertical ? rect.left : rect.top;
    const int thickness = vertical ? rect.width() : rect.height();
    maxLeading = (vertical ? area.width() : area.height()) - thickness;
    outline = rect;
    if (outlineWidget.isNull()) {
        outlineWidget = new QWidget(owner);
        outlineWidget->setAutoFillBackground(true);
        QPalette palette = outlineWidget->palette();
        palette.setColor(QPalette::Window, QColor(outlineGrey, outlineGrey, outlineGrey));
        outlineWidget->setPalette(palette);
        outlineWidget->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    outlineWidget->setGeometry(widgetRect(outline));
    outlineWidget->raise();
    outlineWidget->show();
    setCapture();
    grabKeyboard();
}

plat::Rect EleSegBar::shifted(int leading) const
{
    if (vertical)
        return {leading, rect.top, leading + rect.width(), rect.bottom};
    return {rect.left, leading, rect.right, leading + rect.height()};
}

void EleSegBar::onMouseMove(unsigned, plat::Point p)
{
    if (!dragging)
        return;
    const int thickness = vertical ? rect.width() : rect.height();
    // Stay inside the owner, then keep the trailing edge within the limits.
    int leading = std::clamp(startLeading + axis(p) - grab, 0, std::max(0, maxLeading));
    leading = std::clamp(leading + thickness, lower, std::max(lower, upper)) - thickness;
    outline = shifted(leading);
    if (outlineWidget)
        outlineWidget->setGeometry(widgetRect(outline));
}

void EleSegBar::onLButtonUp(unsigned, plat::Point)
{
    endDrag();
}

void EleSegBar::onRButtonDown(unsigned, plat::Point)
{
    endDrag();
}

void EleSegBar::onKeyDown(int virtualKey, int, unsigned)
{
    if (virtualKey == plat::VK_ESCAPE)
        endDrag();
}

void EleSegBar::endDrag()
{
    if (!dragging)
        return;
    dragging = false;
    if (outlineWidget)
        outlineWidget->hide();
    releaseKeyboard();
    releaseCapture();
    if (outline == rect)
        return;
    place(outline);
    owner->invalidate();
    pos = vertical ? outline.left : outline.top;
    plat::sendMessage(owner, WM_CTER_BARMOVED, std::uintptr_t(pos), id);
}
