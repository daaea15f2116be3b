#pragma once

#include "pixorama/platform/Types.h"

#include <QRect>

#include <algorithm>

// Widget geometry of a layout rectangle; an empty or inverted section
// becomes a zero-sized widget at the same place.
inline QRect toQRect(const plat::Rect& r)
{
    return QRect(r.left, r.top, std::max(0, r.width()), std::max(0, r.height()));
}
