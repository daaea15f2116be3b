#include "StripPainting.h"

void DrawStripHandle(plat::Dc& dc, const plat::Rect& r)
{
    dc.selectPen(plat::Pen{plat::Pen::Solid, 1, plat::rgb(0, 0, 0)});
    dc.selectBrush(plat::Brush{plat::Brush::Solid, plat::ColorRef{0xFF0000}});
    dc.rectangle(r);
}
