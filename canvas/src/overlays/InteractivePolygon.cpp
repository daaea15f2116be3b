#include "pixorama/canvo/InteractivePolygon.h"

#include "RegionGeometry.h"

InteractivePolygon::InteractivePolygon()
{
    kind = OverlayPolygon;
}

bool InteractivePolygon::Draw(plat::Dc* dc)
{
    if (!InteractiveMPoint::Draw(dc))
        return false;
    painter.ClosedPolyline(displayPoints, regions::outlineColour(*this));
    return true;
}
