#include "pixorama/platform/DragBar.h"

namespace plat {

DragBar::DragBar(Wnd* ownerWindow) : Wnd(ownerWindow), owner(ownerWindow)
{
    setFocusPolicy(Qt::NoFocus);
}

DragBar::~DragBar()
{
    delete outline.data();
}

void DragBar::showOutline(const QRect& r)
{
    if (outline.isNull())
        outline = makeOutline();
    outline->setGeometry(r);
    outline->raise();
    outline->show();
}

void DragBar::moveOutline(const QRect& r)
{
    if (outline)
        outline->setGeometry(r);
}

void DragBar::onLButtonDown(unsigned, Point p)
{
    // Someone else's drag or capture wins.
    QWidget* grabber = QWidget::mouseGrabber();
    if (dragging || (grabber != nullptr && grabber != this) || owner == nullptr || owner->clientRect().isEmpty())
        return;
    dragging = true;
    startDrag(p);
    setCapture();
    grabKeyboard();
}

void DragBar::onMouseMove(unsigned, Point p)
{
    if (dragging)
        followDrag(p);
}

void DragBar::onLButtonUp(unsigned, Point)
{
    endDrag();
}

void DragBar::onRButtonDown(unsigned, Point)
{
    endDrag();
}

void DragBar::onKeyDown(int virtualKey, int, unsigned)
{
    if (virtualKey == VK_ESCAPE)
        endDrag();
}

void DragBar::endDrag()
{
    if (!dragging)
        return;
    dragging = false;
    if (outline)
        outline->hide();
    releaseKeyboard();
    releaseCapture();
    finishDrag();
}

} // namespace plat
