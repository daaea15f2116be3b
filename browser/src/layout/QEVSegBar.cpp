#include "pixorama/brovia/QEVSegBar.h"

#include "pixorama/brovia/BrowserMessages.h"
#include "pixorama/brovia/ControlId.h"
#include "pixorama/platform/Messages.h"
#include "pixorama/platform/Translation.h"

#include <QRubberBand>

#include <algorithm>

QEVSegBar::QEVSegBar(plat::Wnd* ownerWindow, int id) : plat::Wnd(ownerWindow), owner(ownerWindow)
{
    SetCtrlId(this, id);
    setCursor(Qt::SplitVCursor);
    setFocusPolicy(Qt::NoFocus);
}

QEVSegBar::~QEVSegBar()
{
    delete outline.data();
}

void QEVSegBar::SetPropName(const CString& name)
{
    title = name;
    invalidate();
}

bool QEVSegBar::BindWithControl(QWidget* control)
{
    if (control == nullptr || control->parentWidget() != owner)
        return false;
    SetCtrlId(this, GetCtrlId(control));
    setGeometry(control->geometry());
    control->hide();
    show();
    return true;
}

void QEVSegBar::onPaint(plat::Dc& dc)
{
    plat::Rect r = clientRect();
    dc.fillRect(r, plat::rgb(210, 210, 210));
    dc.selectFont(font);
    dc.setTextColor(plat::rgb(176, 32, 100));
    dc.setBkMode(plat::TRANSPARENT);
    dc.drawText(plat::tr(title), r, plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE);
}

void QEVSegBar::onLButtonDown(unsigned, plat::Point p)
{
    QWidget* grabber = QWidget::mouseGrabber();
    if (dragging || (grabber != nullptr && grabber != this) || owner == nullptr || owner->clientRect().isEmpty())
        return;
    dragging = true;
    grabTop = geometry().top();
    grabY = p.y;
    outlineTop = grabTop;
    if (outline.isNull())
        outline = new QRubberBand(QRubberBand::Line, owner);
    outline->setGeometry(geometry());
    outline->show();
    outline->raise();
    setCapture();
    grabKeyboard();
}

void QEVSegBar::onMouseMove(unsigned, plat::Point p)
{
    if (!dragging)
        return;
    // The bar has not moved yet, so p.y - grabY is the displacement; the
    // outline never leaves the owner.
    const int lowest = std::max(0, owner->height() - height());
    outlineTop = std::clamp(grabTop + p.y - grabY, 0, lowest);
    if (outline)
        outline->move(geometry().left(), outlineTop);
}

void QEVSegBar::onLButtonUp(unsigned, plat::Point)
{
    EndDrag();
}

void QEVSegBar::onRButtonDown(unsigned, plat::Point)
{
    EndDrag();
}

void QEVSegBar::onKeyDown(int virtualKey, int, unsigned)
{
    if (virtualKey == plat::VK_ESCAPE)
        EndDrag();
}

void QEVSegBar::EndDrag()
{
    if (!dragging)
        return;
    dragging = false;
    if (outline)
        outline->hide();
    releaseKeyboard();
    releaseCapture();
    const int displacement = outlineTop - grabTop;
    if (displacement == 0)
        return;
    move(geometry().left(), outlineTop);
    owner->invalidate();
    plat::sendMessage(owner, WM_LAYOUT_BARMOVED, std::uintptr_t(std::intptr_t(displacement)), GetCtrlId(this));
}

void QEVSegBar::onLButtonDblClk(unsigned, plat::Point)
{
    plat::sendMessage(owner, WM_LAYOUT_BARMAXIMISE, 0, index);
}

void QEVSegBar::onMButtonDown(unsigned, plat::Point)
{
    plat::sendMessage(owner, WM_LAYOUT_BARMAXIMISE, 0, index);
}
