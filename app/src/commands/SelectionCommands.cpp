#include "FrameCommands.h"

#include "pixorama/canvo/CanvasInput.h"
#include "pixorama/canvo/CanvasMeasures.h"
#include "pixorama/canvo/CanvasRegions.h"
#include "pixorama/canvo/CanvasTexts.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/WorkState.h"

namespace {

constexpr int canvas = WorkState::workingCanvas;

} // namespace

void RunSelectionCommand(int id)
{
    switch (id) {
    case 2274:
        gCVSAddMRectangle(canvas);
        break;
    case 2275:
        gCVSAddCustomRectangle(canvas);
        break;
    case 2286:
        gCVSAddTextOL(canvas);
        break;
    case 2288:
        gCVSAddMeasureLine(canvas);
        break;
    case 2289:
        gCVSSetMeasureScale(canvas);
        break;
    case 2290:
        gCVSAddMeasureAngle3Pts(canvas);
        break;
    case 2298:
        gCVSAddNeighborPV(canvas);
        break;
    case 2302:
        gCVSDelSelElement(canvas);
        break;
    case 2304:
        gCVSDelAllElement(canvas);
        break;
    default:
        return;
    }
    gCTERRefreshAllView();
}
