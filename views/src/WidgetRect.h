#pragma once

#include "pixorama/platform/Types.h"

#include <QRect>

#include <algorithm>

// A layout rectangle as widget geometry: a negative extent (a collapsed row
// or column) becomes 0 at the same place.
inline QRect widgetRect(const plat::Rect& r)
{
    return QRect(r.left, r.top, std::max(0, r.width()), std::max(0, r.height()));
}
