#include "pixorama/canvo/InteractiveProgress.h"

#include "pixorama/common/NumericTruncate.h"

#include <algorithm>

namespace {
constexpr plat::ColorRef barColour{0x646464};
}

void InteractiveProgress::SetRange(int min, int max)
{
    minimum = min;
    maximum = max;
    OnViewChanged();
}

void InteractiveProgress::SetPos(int pos)
{
    position = pos;
    OnViewChanged();
}

void InteractiveProgress::OnViewChanged()
{
    const plat::Rect& r = displayRect;
    bar = {r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
    // An empty range would divide by zero; it shows no progress instead.
    float share = 0.0f;
    if (maximum > minimum)
        share = std::clamp(float(double(position) - minimum) / float(double(maximum) - minimum), 0.0f, 1.0f);
    bar.right = pixTruncToInt(double(share * float(bar.width()) + float(bar.left)));
}

bool InteractiveProgress::Draw(plat::Dc* dc)
{
    if (!InteractiveFixedRect::Draw(dc))
        return false;
    OnViewChanged();
    dc->fillRect(bar, barColour);
    return true;
}
