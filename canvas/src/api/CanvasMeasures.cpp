#include "pixorama/canvo/CanvasMeasures.h"

#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/canvo/InteractiveImaInfo.h"
#include "pixorama/canvo/InteractiveLineProfile.h"
#include "pixorama/canvo/InteractiveMeasureAngle4Pts.h"
#include "pixorama/canvo/InteractiveMeasureLine.h"
#include "pixorama/canvo/InteractiveNeighborV.h"
#include "pixorama/parlet/DlgGet.h"

#include <cwchar>
#include <memory>

namespace {

template <typename T>
void addTo(int id)
{
    if (InteractiveImage* canvas = CanvasTable::At(id)) {
        auto overlay = std::make_unique<T>();
        overlay->measureScale = canvas->measureScale;
        canvas->AddOverlay(std::move(overlay));
    }
}

// The windowed probes read their canvas and start at the same place.
template <typename T>
void addWindowTo(int id)
{
    if (InteractiveImage* canvas = CanvasTable::At(id)) {
        Canvo& added = canvas->AddOverlay(std::make_unique<T>());
        added.AttachView(&canvas->view);
        added.SetRectPos(30.0f, 30.0f, 512.0f, 150.0f);
        added.SetCanvas(canvas);
    }
}

} // namespace

void gCVSAddMeasureLine(int id)
{
    addTo<InteractiveMeasureLine>(id);
}

void gCVSAddMeasureAngle3Pts(int id)
{
    addTo<InteractiveMeasureAngle3Pts>(id);
}

void gCVSAddMeasureAngle4Pts(int id)
{
    addTo<InteractiveMeasureAngle4Pts>(id);
}

void gCVSAddLineProfile(int id)
{
    addWindowTo<InteractiveLineProfile>(id);
}

void gCVSAddNeighborPV(int id)
{
    addWindowTo<InteractiveNeighborV>(id);
}

void gCVSAddInfoWin(int id)
{
    addWindowTo<InteractiveImaInfo>(id);
}

void gCVSSetMeasureScale(int id, double mmPerPixel)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->measureScale = mmPerPixel;
}

void gCVSSetMeasureScale(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    if (!canvas)
        return;
    tagQEVImaGeneralPara para;
    if (!gDlgGetImaGeneralParaV2(para, L"MeasureScaleInfo", L"MeasureScale.ini"))
        return;
    canvas->measureScale = std::wcstod(para.m_Content.c_str(), nullptr);
}
