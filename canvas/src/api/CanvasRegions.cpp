#include "pixorama/canvo/CanvasRegions.h"

#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/canvo/InteractiveCrayonMStroke.h"
#include "pixorama/canvo/InteractiveCrayonOneStroke.h"
#include "pixorama/canvo/InteractiveCustomRect.h"
#include "pixorama/canvo/InteractiveRect.h"
#include "pixorama/canvo/InteractiveSpline.h"
#include "pixorama/parlet/DlgGet.h"

#include <memory>

namespace {

template <typename Overlay>
void addTo(int id)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->AddOverlay(std::make_unique<Overlay>());
}

ClassData2DIO<int>& emptyLabel()
{
    static ClassData2DIO<int> empty;
    empty.Clear();
    return empty;
}

} // namespace

void gCVSAddMRectangle(int id)
{
    addTo<InteractiveRect>(id);
}

void gCVSAddCustomRectangle(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    if (!canvas)
        return;
    tagQEVImaROIRectPara para;
    if (!gDlgGetImaROIRectPara(para))
        return;
    Canvo& rect = canvas->AddOverlay(std::make_unique<InteractiveCustomRect>());
    // Typed values may lie at the ends of int: the sizes are taken in double.
    rect.SetRectPos(float(para.m_RectLeft), float(para.m_RectTop), float(double(para.m_RectRight) - para.m_RectLeft),
                    float(double(para.m_RectBottom) - para.m_RectTop));
}

void gCVSAddPoly(int id)
{
    addTo<InteractivePolygon>(id);
}

void gCVSAddSpline(int id)
{
    addTo<InteractiveSpline>(id);
}

void gCVSAddFreeRegion(int id)
{
    addTo<InteractiveCrayonOneStroke>(id);
}

void gCVSAddFreeStroke(int id)
{
    addTo<InteractiveCrayonMStroke>(id);
}

int gCVSGenerateLabel(int id, bool selectedOnly)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->GenerateLabel(selectedOnly) : 0;
}

ClassData2DIO<int>& gCVSGetLabelIma(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->LabelImage() : emptyLabel();
}

int* gCVSGetLabelImaPtr1D(int id)
{
    return CanvasTable::At(id) ? gCVSGetLabelIma(id).data : nullptr;
}

int** gCVSGetLabelImaPtr2D(int id)
{
    return CanvasTable::At(id) ? gCVSGetLabelIma(id).rows : nullptr;
}
