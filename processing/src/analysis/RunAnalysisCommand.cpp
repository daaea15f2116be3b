#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/CommandIds.h"

#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/canvo/CanvasRegions.h"
#include "pixorama/parlet/DlgGet.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/CanvasResults.h"
#include "pixorama/workbench/RegionStatistics.h"
#include "pixorama/workbench/UniformityMap.h"
#include "pixorama/workbench/ShowPlanes.h"
#include "pixorama/workbench/WorkState.h"

#include <cwchar>

namespace {

constexpr int canvas = WorkState::workingCanvas;

bool isRaw(FileType kind)
{
    return kind == FileRawOther || kind == FileFloat;
}

std::wstring statisticsText()
{
    const FileType kind = gCVSGetFileType(canvas);
    if (isRaw(kind)) {
        const int key = gCVSGenerateLabel(canvas, true);
        return gStatisticsTextRaw(gMeasureRawRegion(gCVSGetRawOri(canvas), gCVSGetLabelIma(canvas), key));
    }
    WorkState& s = gWorkState();
    if (kind != FilePicture8 || !s.CapturePlanes())
        return L"图像不存在";
    const int key = gCVSGenerateLabel(canvas, true);
    return gStatisticsTextColour(gMeasureGreyRegion(s.grey, gCVSGetLabelIma(canvas), key));
}

void showStatistics()
{
    gCTERSetInfo(statisticsText());
    if (const std::optional<ResultRow> row = gStatisticsRow())
        gPostResults({*row});
    gCTERSetLayOut(0.8f, -0.2f, -0.2f, false);
}

// The data the map measures: the unmapped raw values, or the red plane.
bool uniformityData(FileType kind, ClassData2DIO<float>& data)
{
    if (isRaw(kind)) {
        data = gCVSGetRawOri(canvas);
        return !data.IsEmpty();
    }
    const QEVUCDATA2D& red = gWorkState().sourceR;
    data.SetDim(red.width, red.height);
    for (int y = 0; y < red.height; ++y)
        std::copy(red.rows[y], red.rows[y] + red.width, data.rows[y]);
    return !data.IsEmpty();
}

void showUniformity()
{
    const FileType kind = gCVSGetFileType(canvas);
    WorkState& s = gWorkState();
    if ((!isRaw(kind) && kind != FilePicture8) || !s.CapturePlanes()) {
        plat::messageBox(L"没有图像数据");
        return;
    }
    tagQEVImaGeneralPara para;
    if (!gDlgGetImaGeneralParaV2(para, L"ImaGeneralTwo", L"ImaGeneralTwo.ini"))
        return;
    const double u = std::wcstod(para.m_Content.c_str(), nullptr);
    ClassData2DIO<float> data;
    if (!uniformityData(kind, data)) {
        plat::messageBox(L"没有图像数据");
        return;
    }
    s.ResetResult();
    const int key = gCVSGenerateLabel(canvas, true);
    gPaintUniformity(data, !isRaw(kind), gCVSGetLabelIma(canvas), key, u, s.resultR, s.resultG, s.resultB);
    gShowPlanesUpright(s.resultR, s.resultG, s.resultB, false);
    gCTERRefreshAllView();
}

} // namespace

void RunAnalysisCommand(int id)
{
    if (id == ID_STATISTICS)
        showStatistics();
    else if (id == ID_UNIFORMITY)
        showUniformity();
}
