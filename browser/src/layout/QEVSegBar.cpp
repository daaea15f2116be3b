#include "pixorama/brovia/QEVSegBar.h"

#include "pixorama/brovia/BrowserMessages.h"
#include "pixorama/brovia/ControlId.h"
#include "pixorama/platform/Messages.h"
#include "pixorama/platform/Translation.h"

#include <QRubberBand>

#include <algorithm>

QEVSegBar::QEVSegBar(plat::Wnd* ownerWindow, int id) : plat::DragBar(ownerWindow)
{
    SetCtrlId(this, id);
    setCursor(Qt::SplitVCursor);
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

void QEVSegBar::startDrag(plat::Point p)
{
    grabTop = geometry().top();
    grabY = p.y;
    outlineTop = grabTop;
    showOutline(geometry());
}

QWidget* QEVSegBar::makeOutline()
{
    return new QRubberBand(QRubberBand::Line, owner);
}

void QEVSegBar::followDrag(plat::Point p)
{
    // The bar has not moved yet, so p.y - grabY is the displacement; the
    // outline never leaves the owner.
    const int lowest = std::max(0, owner->height() - height());
    outlineTop = std::clamp(grabTop + p.y - grabY, 0, lowest);
    moveOutline(QRect(geometry().left(), outlineTop, width(), height()));
}

void QEVSegBar::finishDrag()
{
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
