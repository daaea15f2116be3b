#pragma once

#include "pixorama/platform/DibBitmap.h"
#include "pixorama/platform/Types.h"

// Scales src's srcRect into dstRect of dst by the nearest pixel, clipped to
// dst, in window coordinates (both surfaces bottom-up). Destination column d
// of the rectangle takes source column srcRect.left + floor((2d + 1) * sw / (2 dw)),
// rows likewise: the same pixels as the COLORONCOLOR stretch of the painter.
void nearestStretch(plat::DibBitmap& dst, const plat::Rect& dstRect, const plat::DibBitmap& src,
                    const plat::Rect& srcRect);
