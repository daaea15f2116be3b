#include "pixorama/workbench/QEVViewOfParaOne.h"

namespace {

constexpr plat::ColorRef panelColour = plat::rgb(240, 240, 240);

} // namespace

QEVViewOfParaOne::QEVViewOfParaOne(QWidget* parent) : plat::Wnd(parent)
{
    setBackgroundPixel(plat::pixelOf(panelColour));
    setFocusPolicy(Qt::NoFocus);
}

void QEVViewOfParaOne::onPaint(plat::Dc& dc)
{
    dc.fillRect(clientRect(), panelColour);
}
