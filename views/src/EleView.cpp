#include "pixorama/tilemo/EleView.h"

#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasInput.h"
#include "pixorama/platform/Messages.h"
#include "pixorama/tilemo/ViewInput.h"

#include <algorithm>

namespace {

// One record for the whole process, as the application expects.
tagQEVViewInput inputRecord;

} // namespace

EleView::EleView(plat::Wnd* viewArea, plat::Wnd* notifyTarget, int canvasId, int controlId)
    : plat::Wnd(viewArea), area(viewArea), target(notifyTarget), canvas(canvasId), id(controlId)
{
    // Whatever the canvas does not cover stays the canvas's own background.
    setBackgroundPixel(plat::pixelOf(0x77, 0x88, 0x99));
}

void EleView::onPaint(plat::Dc& dc)
{
    gCVSOnDraw(canvas, &dc);
}

void EleView::onSize(int, int)
{
    plat::Rect client = clientRect();
    gCVSSetClient(canvas, client, &dc());
    invalidate();
}

void EleView::notify()
{
    plat::sendMessage(target.data(), WM_CTER_VIEWINPUT, reinterpret_cast<std::uintptr_t>(&inputRecord), 0);
}

void EleView::notifyPointer(int event, unsigned flags, plat::Point p)
{
    inputRecord.viewId = canvas;
    inputRecord.event = event;
    inputRecord.x = p.x;
    inputRecord.y = p.y;
    inputRecord.flags = int(flags);
    notify();
}

void EleView::onLButtonDown(unsigned flags, plat::Point p)
{
    notifyPointer(CTER_LBUTTONDOWN, flags, p);
    gCVSOnLButtonDown(canvas, flags, p);
    invalidate();
}

void EleView::onLButtonUp(unsigned flags, plat::Point p)
{
    notifyPointer(CTER_LBUTTONUP, flags, p);
    gCVSOnLButtonUp(canvas, flags, p);
    invalidate();
}

void EleView::onMouseMove(unsigned flags, plat::Point p)
{
    notifyPointer(CTER_MOUSEMOVE, flags, p);
    gCVSOnMouseMove(canvas, flags, p);
    invalidate();
}

void EleView::onMouseWheel(unsigned flags, int delta, plat::Point p)
{
    const auto wheel = std::int16_t(std::clamp(delta, -32768, 32767));
    inputRecord.wheelDelta = wheel;
    notifyPointer(CTER_MOUSEMOVE, flags, p);
    gCVSOnMouseWheel(canvas, flags, wheel, p);
    invalidate();
}

void EleView::onKeyDown(int virtualKey, int repeatCount, unsigned flags)
{
    inputRecord.viewId = canvas;
    inputRecord.event = CTER_KEYDOWN;
    inputRecord.keyCode = virtualKey;
    inputRecord.flags = int(flags);
    notify();
    gCVSOnKeyDown(canvas, unsigned(virtualKey), unsigned(repeatCount), flags);
    invalidate();
}

void EleView::onLButtonDblClk(unsigned, plat::Point)
{
    plat::sendMessage(area, WM_CTER_MAXIMISE, std::uintptr_t(canvas), 0);
}
