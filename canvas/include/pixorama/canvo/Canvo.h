#pragma once

#include "pixorama/canvo/CanvasTypes.h"
#include "pixorama/canvo/GdiPainter.h"
#include "pixorama/canvo/ViewState.h"
#include "pixorama/common/CString.h"
#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/common/PointTemplateBase.h"
#include "pixorama/platform/Dc.h"
#include "pixorama/platform/Types.h"

#include <cstdint>
#include <vector>

class InteractiveImage;

// Overlay kinds. Regions (0, 1, 3, 4, 5) are rasterised into the label
// image; 14 and 15 are passive windows that see mouse events unselected.
enum OverlayKind : int {
    OverlayRect = 0,
    OverlayCustomRect = 1,
    OverlayMeasuring = 2, // set by measuring constructors before their own kind
    OverlayPolygon = 3,
    OverlaySpline = 4,
    OverlayFreeRegion = 5,
    OverlayText = 6,
    OverlayFreeStroke = 7,
    OverlayMeasureLine = 8,
    OverlayAngle3 = 9,
    OverlayAngle4 = 10,
    OverlayPassiveWindow = 14,
    OverlayProbe = 15,
    OverlayLineProfile = 16,
};

bool isRegionKind(int kind);

// Base of everything drawn over the image. Geometry lives in image
// coordinates (imagePoints); displayPoints and handles are derived from the
// attached view whenever it changes, so overlays follow zoom and pan.
class Canvo {
public:
    Canvo() = default;
    Canvo(const Canvo&) = delete;
    Canvo& operator=(const Canvo&) = delete;
    virtual ~Canvo();

    virtual void OnLButtonDown(unsigned flags, plat::Point pt);
    virtual void OnLButtonUp(unsigned flags, plat::Point pt);
    virtual void OnMouseMove(unsigned flags, plat::Point pt);
    virtual void OnKeyDown(unsigned key, unsigned repeat, unsigned flags);
    virtual void OnTimer(std::uintptr_t id);
    virtual void AttachView(ViewState* view);
    virtual void OnViewChanged();
    virtual bool HitTest(plat::Point pt);
    virtual void SetRectPos(float x, float y, float w, float h);
    // Binds the painter; false (after telling the user) when dc has no bitmap.
    virtual bool Draw(plat::Dc* dc);
    virtual void SetColors(plat::ColorRef selected, plat::ColorRef third);
    virtual void SetHandleShape(int shape);
    virtual void SetHandleSize(int halfSize);
    virtual void SetSinglePointPerClick(int single);
    virtual void SetPointLimit(int limit);
    virtual void SetTextAndPos(const CString& text, plat::Point anchor);
    virtual void SetText(const CString& text);
    virtual void SetTextStyle(FontType font, int size, plat::ColorRef colour, int mode);
    virtual plat::Size GetTextSize();
    virtual void BeginMove();
    virtual bool IsMoving();
    virtual bool GetCurvePoints(std::vector<PointTemplateBase<int>>& points);
    virtual bool GetIntPoints(std::vector<PointTemplateBase<int>>& points);
    virtual bool GetIntPolygon(std::vector<PointTemplateBase<int>>& points);
    virtual void ClearPoints();
    virtual void SetCanvas(InteractiveImage* owner);
    virtual void SetLines(const std::vector<CString>& lines);
    virtual void AddLine(const CString& line);
    virtual void SetImage(ClassData2DIO<float>& image);
    virtual CString GetText();

    // Mapping through the attached view; without one the user is told
    // "显示信息未提供" and the result is (0, 0).
    PointTemplateBase<double> ToImage(plat::Point client);
    plat::Point ToClient(PointTemplateBase<double> image);

    std::vector<plat::Point> displayPoints;
    std::vector<PointTemplateBase<double>> imagePoints;
    std::vector<plat::Rect> handles;
    GdiPainter painter;
    ViewState* view = nullptr;
    int handleShape = 0; // 0 ellipse, 1 rectangle
    plat::ColorRef selectedColour{0x0000FF};
    plat::ColorRef normalColour{0xFF0000};
    plat::ColorRef thirdColour{0x00FFFF};
    bool handlesVisible = true;
    plat::ColorRef lineColour{0xFF0000};
    plat::ColorRef selectedLineColour{0x0000FF};
    int handleHalfSize = 4;
    plat::Point lastPoint;
    bool dragging = false;
    int state = 2; // 0 while the whole object moves
    int activeHandle = -1; // -2 while the whole object moves
    double dragStepX = 0.0;
    double dragStepY = 0.0;
    int singlePointPerClick = 1;
    int pointLimit = 10000;
    bool ellipse = false;
    plat::Rect displayRect;
    plat::Rect imageRect;
    bool outlineDrawn = true;
    bool keepsPixelSize = false;
    bool enabled = true;
    bool labelShown = false;
    int penWidth = 1;
    bool selected = false;
    int kindOrdinal = 0;
    int ordinal = 0; // region label = ordinal + 1
    // Given when the overlay joins a canvas; never repeats within the
    // process, so results can follow an overlay while it is edited.
    std::uint64_t serial = 0;
    int kind = OverlayPassiveWindow;
    bool clampToImage = true;
    InteractiveImage* canvas = nullptr;
    ClassData2DIO<float> dataImage;
    double measureScale = 1.0;

protected:
    // Bounds of the painter's surface while drawing.
    int drawWidth = 0;
    int drawHeight = 0;
};
