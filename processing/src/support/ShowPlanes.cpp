#include "pixorama/workbench/ShowPlanes.h"

#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/workbench/WorkState.h"

#include <algorithm>

namespace {

ClassData2DIO<unsigned char> upsideDown(const ClassData2DIO<unsigned char>& plane)
{
    ClassData2DIO<unsigned char> out;
    if (plane.IsEmpty())
        return out;
    out.SetDim(plane.width, plane.height);
    for (int y = 0; y < plane.height; ++y)
        std::copy(plane.rows[y], plane.rows[y] + plane.width, out.rows[plane.height - 1 - y]);
    return out;
}

} // namespace

void gShowPlanesUpright(const ClassData2DIO<unsigned char>& r, const ClassData2DIO<unsigned char>& g,
                        const ClassData2DIO<unsigned char>& b, bool clearOverlays)
{
    ClassData2DIO<unsigned char> ur = upsideDown(r), ug = upsideDown(g), ub = upsideDown(b);
    gCVSShowUCColor(WorkState::workingCanvas, ur, ug, ub, clearOverlays);
}
