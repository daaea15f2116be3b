#include "pixorama/canvo/Canvo.h"

#include "pixorama/platform/Modal.h"

bool isRegionKind(int kind)
{
    return kind == OverlayRect || kind == OverlayCustomRect || kind == OverlayPolygon || kind == OverlaySpline
           || kind == OverlayFreeRegion;
}

Canvo::~Canvo() = default;

void Canvo::OnLButtonDown(unsigned, plat::Point pt)
{
    dragging = true;
    lastPoint = pt;
    activeHandle = -1;
}

void Canvo::OnLButtonUp(unsigned, plat::Point)
{
    dragging = false;
    state = 2;
    activeHandle = -1;
}

void Canvo::OnMouseMove(unsigned, plat::Point) {}
void Canvo::OnKeyDown(unsigned, unsigned, unsigned) {}
void Canvo::OnTimer(std::uintptr_t) {}

void Canvo::AttachView(ViewState* newView)
{
    view = newView;
    OnViewChanged();
}

void Canvo::OnViewChanged() {}

bool Canvo::HitTest(plat::Point)
{
    return false;
}

void Canvo::SetRectPos(float, float, float, float) {}

bool Canvo::Draw(plat::Dc* dc)
{
    painter.Bind(dc);
    if (!dc || dc->surface().isEmpty()) {
        plat::messageBox(L"No bmp");
        drawWidth = drawHeight = 0;
        return false;
    }
    drawWidth = dc->width();
    drawHeight = dc->height();
    return true;
}

void Canvo::SetColors(plat::ColorRef selectedHandles, plat::ColorRef third)
{
    selectedColour = selectedHandles;
    thirdColour = third;
}

void Canvo::SetHandleShape(int shape)
{
    handleShape = shape;
}

void Canvo::SetHandleSize(int halfSize)
{
    handleHalfSize = halfSize;
}

void Canvo::SetSinglePointPerClick(int) {}
void Canvo::SetPointLimit(int) {}
void Canvo::SetTextAndPos(const CString&, plat::Point) {}
void Canvo::SetText(const CString&) {}
void Canvo::SetTextStyle(FontType, int, plat::ColorRef, int) {}

plat::Size Canvo::GetTextSize()
{
    return {};
}

void Canvo::BeginMove()
{
    state = 0;
    activeHandle = -2;
}

bool Canvo::IsMoving()
{
    return state == 0;
}

bool Canvo::GetCurvePoints(std::vector<PointTemplateBase<int>>&)
{
    return true;
}

bool Canvo::GetIntPoints(std::vector<PointTemplateBase<int>>&)
{
    return true;
}

bool Canvo::GetIntPolygon(std::vector<PointTemplateBase<int>>&)
{
    return true;
}

void Canvo::ClearPoints()
{
    displayPoints.clear();
    imagePoints.clear();
    handles.clear();
}

void Canvo::SetCanvas(InteractiveImage* owner)
{
    canvas = owner;
}

void Canvo::SetLines(const std::vector<CString>&) {}
void Canvo::AddLine(const CString&) {}

void Canvo::SetImage(ClassData2DIO<float>& image)
{
    dataImage = image;
}

CString Canvo::GetText()
{
    return L"NULL";
}

PointTemplateBase<double> Canvo::ToImage(plat::Point client)
{
    if (!view) {
        plat::messageBox(L"显示信息未提供");
        return {};
    }
    return view->ToImage(client);
}

plat::Point Canvo::ToClient(PointTemplateBase<double> image)
{
    if (!view) {
        plat::messageBox(L"显示信息未提供");
        return {};
    }
    return view->ToClient(image);
}
