#include "pixorama/canvo/InteractiveFixedRect.h"

#include "pixorama/common/NumericTruncate.h"

namespace {
constexpr plat::ColorRef backgroundColour{0xB4B4B4};
}

void InteractiveFixedRect::SetRectPos(float x, float y, float w, float h)
{
    offsetX = pixTruncToInt(x);
    offsetY = pixTruncToInt(y);
    width = pixTruncToInt(w);
    height = pixTruncToInt(h);
    Relayout();
}

void InteractiveFixedRect::AttachView(ViewState* newView)
{
    view = newView;
    Relayout();
}

void InteractiveFixedRect::Relayout()
{
    const plat::Rect client = view ? view->client : plat::Rect{};
    const int bottom = client.bottom - offsetY - client.top - 1;
    displayRect = {offsetX, bottom - height, offsetX + width, bottom};
    OnViewChanged();
}

void InteractiveFixedRect::OnKeyDown(unsigned key, unsigned, unsigned)
{
    if (key == unsigned(plat::VK_TAB))
        enabled = !enabled;
    else if (key == 'X')
        SetRectPos(20.0f, 20.0f, 400.0f, 30.0f);
}

bool InteractiveFixedRect::Draw(plat::Dc* dc)
{
    if (!Canvo::Draw(dc))
        return false;
    dc->fillRect(displayRect, backgroundColour);
    return true;
}
