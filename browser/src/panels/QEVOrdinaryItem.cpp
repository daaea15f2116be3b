#include "pixorama/brovia/QEVOrdinaryItem.h"

#include "pixorama/brovia/BrowserMessages.h"

QEVOrdinaryItem::QEVOrdinaryItem(QWidget* parent) : plat::Wnd(parent)
{
}

std::intptr_t QEVOrdinaryItem::onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (msg == WM_LAYOUT_PARACHANGED)
        return 0;
    return plat::Wnd::onMessage(msg, wParam, lParam);
}

void QEVOrdinaryItem::onPaint(plat::Dc& dc)
{
    dc.fillRect(clientRect(), plat::rgb(210, 210, 210));
}
