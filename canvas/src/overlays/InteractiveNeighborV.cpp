#include "pixorama/canvo/InteractiveNeighborV.h"

#include "OverlayText.h"

#include "pixorama/canvo/InteractiveImage.h"

InteractiveNeighborV::InteractiveNeighborV()
{
    kind = OverlayProbe;
}

void InteractiveNeighborV::OnMouseMove(unsigned flags, plat::Point pt)
{
    window.lines.clear();
    for (int dy = -2; dy <= 2; ++dy) {
        double v[5] = {-1.0, -1.0, -1.0, -1.0, -1.0};
        if (canvas)
            for (int dx = -2; dx <= 2; ++dx)
                v[dx + 2] = canvas->PixelValue({pt.x + dx, pt.y + dy});
        window.AddLine(formatOverlayText(L"%5.2f %5.2f %5.2f %5.2f %5.2f", v[0], v[1], v[2], v[3], v[4]));
    }
    window.OnMouseMove(flags, pt);
}

void InteractiveNeighborV::OnLButtonDown(unsigned flags, plat::Point pt)
{
    Canvo::OnLButtonDown(flags, pt);
    window.OnLButtonDown(flags, pt);
}

void InteractiveNeighborV::OnLButtonUp(unsigned flags, plat::Point pt)
{
    Canvo::OnLButtonUp(flags, pt);
    window.OnLButtonUp(flags, pt);
}

bool InteractiveNeighborV::HitTest(plat::Point pt)
{
    return window.HitTest(pt);
}

void InteractiveNeighborV::SetRectPos(float x, float y, float w, float h)
{
    window.SetRectPos(x, y, w, h);
}

bool InteractiveNeighborV::Draw(plat::Dc* dc)
{
    if (!Canvo::Draw(dc))
        return false;
    return window.Draw(dc);
}
