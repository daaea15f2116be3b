#include "pixorama/canvo/CanvasTexts.h"

#include "OverlayText.h"

#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/canvo/InteractiveTextML.h"
#include "pixorama/canvo/InteractiveTextRect.h"
#include "pixorama/parlet/DlgGet.h"

#include <memory>

namespace {

void addText(InteractiveImage& canvas, const CString& text, plat::Point anchor, FontType font, int size,
             unsigned colour, int mode)
{
    auto overlay = std::make_unique<InteractiveTextRect>();
    overlay->SetTextStyle(font, size, plat::ColorRef{colour}, mode);
    Canvo& added = canvas.AddOverlay(std::move(overlay));
    added.painter.Bind(canvas.clientSurface.Dc());
    added.SetTextAndPos(text, anchor);
}

} // namespace

void gCVSAddTextOL(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    if (!canvas)
        return;
    tagQEVImaGeneralPara para;
    if (!gDlgGetImaGeneralParaV2(para, L"TextInfo", L"TextInfo.ini"))
        return;
    addText(*canvas, para.m_Content, {200, 200}, FontBoxedRed, 22, 0x0000FF, plat::TRANSPARENT);
}

void gCVSAddTextOL(int id, CString text, int x, int y, FontType font, int size, unsigned colour, int mode)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        addText(*canvas, text, {x, y}, font, size, colour, mode);
}

void gCVSAddTextOLV2(int id, CString text, int x, int y, FontType font, int size, unsigned colour, int mode)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        addText(*canvas, text, canvas->view.ToClient({double(x), double(y)}), font, size, colour, mode);
}

plat::Rect gCVSGetTextRectOL(int id, CString text, int, int, FontType font, int size, unsigned colour, int mode)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    if (!canvas)
        return {};
    InteractiveTextRect probe;
    probe.SetTextStyle(font, size, plat::ColorRef{colour}, mode);
    const plat::Size extent = measureOverlayText(canvas->clientSurface.Dc(), text, probe.FontHeight());
    return {0, 0, extent.cx, extent.cy};
}

void gCVSAddTextML(int id, std::vector<CString>& lines, int x, int y)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    if (!canvas)
        return;
    auto window = std::make_unique<InteractiveTextML>();
    window->SetRectPos(float(x), float(y), 0.0f, 0.0f);
    window->SetLines(lines);
    canvas->AddOverlay(std::move(window));
}
