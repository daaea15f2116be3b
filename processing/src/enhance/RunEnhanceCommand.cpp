#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/CommandIds.h"

#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/common/BitmapFile.h"
#include "pixorama/common/LocalThreshold.h"
#include "pixorama/parlet/DlgGet.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/Enhancements.h"
#include "pixorama/workbench/ShowPlanes.h"
#include "pixorama/workbench/WorkState.h"

#include <cwchar>

namespace {

// Asks the window size; false when cancelled or refused (with a message).
bool askWindow(const WorkState& s, int& window)
{
    tagQEVImaGeneralPara para;
    if (!gDlgGetImaGeneralPara(para))
        return false;
    window = static_cast<int>(std::wcstol(para.m_Content.c_str(), nullptr, 10));
    if (window <= 0 || window > s.resultR.width || window > s.resultR.height) {
        plat::messageBox(L"局部阈值的窗口大小必须大于0且不大于图像");
        return false;
    }
    return true;
}

bool localThreshold(WorkState& s)
{
    int window = 0;
    if (!askWindow(s, window))
        return false;
    QEVUCDATA2D grey;
    QEVColorToGray(&s.resultR, &s.resultG, &s.resultB, &grey);
    LAT_Constant(grey, window);
    s.resultR = grey;
    s.resultG = grey;
    s.resultB = grey;
    return true;
}

// Applies the command to the result planes; false when nothing is to be shown.
bool apply(int id, WorkState& s)
{
    switch (id) {
    case ID_PYRAMID:
        gEnhanceLuminance(s.resultR, s.resultG, s.resultB);
        return true;
    case ID_EQUALISE:
        for (QEVUCDATA2D* plane : {&s.resultR, &s.resultG, &s.resultB})
            gEqualiseHistogram(*plane);
        return true;
    case ID_BRIGHTNESS:
        for (QEVUCDATA2D* plane : {&s.resultR, &s.resultG, &s.resultB})
            gAdaptBrightness(*plane);
        return true;
    case ID_LOCAL_THRESHOLD:
        return localThreshold(s);
    default:
        return false;
    }
}

} // namespace

void RunEnhanceCommand(int id)
{
    if (id != ID_PYRAMID && id != ID_EQUALISE && id != ID_BRIGHTNESS && id != ID_LOCAL_THRESHOLD)
        return;
    WorkState& s = gWorkState();
    if (gCVSGetFileType(WorkState::workingCanvas) != FilePicture8 || !s.CapturePlanes()) {
        plat::messageBox(L"彩色图像不存在");
        return;
    }
    s.ResetResult();
    if (!apply(id, s))
        return;
    gShowPlanesUpright(s.resultR, s.resultG, s.resultB, true);
    gCTERRefreshAllView();
}
