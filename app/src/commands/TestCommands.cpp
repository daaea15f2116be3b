#include "FrameCommands.h"

#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/parlet/DlgGet.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/CommandIds.h"
#include "pixorama/workbench/WorkState.h"

#include <algorithm>

namespace {

constexpr int canvas = WorkState::workingCanvas;
constexpr unsigned pureRed = 0x00FF0000u;

void paintLeftHalfRed()
{
    const int w = gCVSGetCanvasWidth(canvas);
    const int h = gCVSGetCanvasHeight(canvas);
    unsigned** rows = gCVSCreateCanvasPixelPtr2D(canvas);
    if (rows == nullptr)
        return;
    for (int y = 0; y < h; ++y)
        std::fill(rows[y], rows[y] + w / 2, pureRed);
    gCVSReleaseCanvasPixelPtr2D(canvas);
    gCTERRefreshAllView();
}

} // namespace

void RunTestCommand(int id)
{
    if (id < 2928 || id > 2954)
        return;
    tagQEVImaPairPara pair;
    tagQEVImaVolumeRecPara reconstruction;
    gDlgGetLargeFovPara(pair, reconstruction);
    if (id == ID_GREY_TEST)
        paintLeftHalfRed();
}
