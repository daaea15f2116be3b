#include "pixorama/workbench/CtGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double CtGeometry::turn() const
{
    if (arc > 0)
        return arc;
    return beam == Beam::Parallel ? std::numbers::pi : 2 * std::numbers::pi;
}

double CtGeometry::step() const
{
    const double s = views > 0 ? turn() / views : 0;
    return clockwise ? -s : s;
}

double CtGeometry::duAtAxis() const
{
    return beam == Beam::Parallel ? du : du * sod / sdd;
}

double CtGeometry::fieldPixel() const
{
    const double axisColumn = centreColumn();
    const double left = axisColumn + 0.5;
    const double right = columns - 0.5 - axisColumn;
    const double reach = std::max(0.0, halfFan ? std::max(left, right) : std::min(left, right));
    double radius = reach * duAtAxis();
    if (beam != Beam::Parallel)
        radius = sod * std::sin(std::atan(reach * du / sdd));
    return size > 0 ? 2 * radius / size : 0;
}

bool CtGeometry::Valid() const
{
    if (columns <= 0 || rows <= 0 || views <= 0 || size <= 0 || !(du > 0) || !(pixel > 0))
        return false;
    if (!std::isfinite(xOffset) || !std::isfinite(zOffset) || !std::isfinite(axisOffset) || !std::isfinite(startAngle))
        return false;
    if (beam == Beam::Parallel)
        return true;
    return sod > 0 && sdd > sod && std::isfinite(sdd);
}
