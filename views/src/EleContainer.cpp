#include "pixorama/tilemo/EleContainer.h"

#include "pixorama/tilemo/EleSegBar.h"
#include "pixorama/tilemo/EleViewContainer.h"
#include "pixorama/tilemo/ViewInput.h"

#include "WidgetRect.h"

#include <algorithm>

EleContainer::EleContainer(plat::Wnd* parent, plat::Wnd* notifyTarget, ViewGrid& grid) : plat::Wnd(parent)
{
    setBackgroundPixel(plat::pixelOf(150, 150, 150));
    setFocusPolicy(Qt::NoFocus);
    split = new EleSegBar(this, true, barId);
    split->setLimits(0, 600);
    split->setPosition(400);
    viewContainer = new EleViewContainer(this, notifyTarget, grid);
    layOut();
}

void EleContainer::setParaView(QWidget* view)
{
    if (view == nullptr)
        return;
    para = view;
    view->setParent(this);
    view->setProperty("controlId", paraViewId);
    view->setGeometry(QRect());
    view->show();
    layOut();
}

void EleContainer::layOut()
{
    const int w = width();
    const int h = height();
    const int p = split->position();
    const int top = topStripHeight;
    const int bottom = h - bottomMargin;
    topStrip = {0, 0, w, top};
    paraArea = {0, top, p, bottom};
    viewAreaRect = {p + barThickness, top, w, bottom};
    if (para)
        para->setGeometry(widgetRect(paraArea));
    split->place({p, top, p + barThickness, bottom});
    viewContainer->setGeometry(widgetRect(viewAreaRect));
    // A hidden area gets no resize event until shown; lay it out now.
    viewContainer->layOut();
    invalidate();
}

std::intptr_t EleContainer::onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (msg == WM_CTER_BARMOVED && int(lParam) == barId) {
        split->setPosition(int(std::intptr_t(wParam)));
        layOut();
        return 0;
    }
    return plat::Wnd::onMessage(msg, wParam, lParam);
}

void EleContainer::onPaint(plat::Dc& dc)
{
    dc.fillRect(clientRect(), plat::rgb(150, 150, 150));
    dc.fillRect(paraArea, plat::rgb(180, 180, 180));
    dc.fillRect(viewAreaRect, plat::rgb(200, 200, 200));
    dc.fillRect(topStrip, plat::rgb(230, 230, 230));
}

void EleContainer::onSize(int, int)
{
    layOut();
}
