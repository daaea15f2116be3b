#include "pixorama/canvo/CanvasFrame.h"

#include "pixorama/canvo/CanvasInput.h"
#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/platform/Messages.h"
#include "pixorama/platform/Wnd.h"

#include <algorithm>

namespace {

using plat::WM_KEYDOWN;
using plat::WM_LBUTTONDOWN;
using plat::WM_LBUTTONUP;
using plat::WM_MOUSEMOVE;
using plat::WM_MOUSEWHEEL;

unsigned lowWord(std::uintptr_t v)
{
    return unsigned(v & 0xFFFF);
}

unsigned highWord(std::uintptr_t v)
{
    return unsigned(v >> 16 & 0xFFFF);
}

// Mouse positions are signed 16-bit: a drag that leaves the window to the
// left or top reports negative ones.
plat::Point pointOf(std::uintptr_t l)
{
    return {int(short(lowWord(l))), int(short(highWord(l)))};
}

} // namespace

bool gCVSPrepareCanvas(int id, int width, int height)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->ShowBlank(width, height);
    return true;
}

void gCVSSetClient(int id, plat::Rect& client, plat::Dc* dc)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->SetClient(client, dc);
}

void gCVSOnDraw(int id, plat::Dc*)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->OnDraw();
}

bool gCVSRespondToMessage(MSG* msg, int id)
{
    if (!msg || !CanvasTable::At(id))
        return true;
    const unsigned flags = lowWord(msg->wParam);
    const std::uintptr_t l = std::uintptr_t(msg->lParam);
    bool repaint = true;
    switch (msg->message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
        const plat::Point p = pointOf(l);
        if (msg->message == WM_MOUSEMOVE)
            gCVSOnMouseMove(id, flags, p);
        else if (msg->message == WM_LBUTTONDOWN)
            gCVSOnLButtonDown(id, flags, p);
        else
            gCVSOnLButtonUp(id, flags, p);
        break;
    }
    case WM_MOUSEWHEEL: {
        plat::Point p = pointOf(l);
        if (msg->hwnd)
            p = msg->hwnd->screenToClient(p);
        gCVSOnMouseWheel(id, flags, short(highWord(msg->wParam)), p);
        break;
    }
    case WM_KEYDOWN:
        gCVSOnKeyDown(id, unsigned(msg->wParam), lowWord(l), flags);
        repaint = false;
        break;
    default:
        repaint = false;
        break;
    }
    if (repaint && msg->hwnd)
        msg->hwnd->invalidate();
    return true;
}

void gCVSSetCanvasFastDisplayMode(int id, bool fast)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->canvasSurface.stretchMode = fast ? plat::COLORONCOLOR : plat::HALFTONE;
}

void gCVSSetCanvasSmoothWhenShrunk(int id, bool smooth)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->canvasSurface.smoothWhenShrunk = smooth;
}

void gCVSSetCanvasColor(int id, std::uint32_t value)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    if (!canvas || canvas->canvasSurface.Height() < 1)
        return;
    canvas->canvasSurface.Bitmap().fill(value);
}

void gCVSSetUseClientMemDCPixelDirect(int id, bool direct)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->clientPixelsDirect = direct;
}

plat::Dc* gCVSGetClientMemDC(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->clientSurface.Dc() : nullptr;
}

int gCVSGetClientWidth(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->view.client.width() : 0;
}

int gCVSGetClientHeight(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->view.client.height() : 0;
}

unsigned* gCVSGetClientPixelPtr(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->clientSurface.Pixels() : nullptr;
}

unsigned** gCVSCreateClientPixelPtr2D(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->clientSurface.CreateRowTable() : nullptr;
}

bool gCVSReleaseClientPixelPtr2D(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->clientSurface.ReleaseRowTable() : true;
}

plat::Dc* gCVSGetCanvasHDC(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->canvasSurface.Dc() : nullptr;
}

int gCVSGetCanvasWidth(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->canvasSurface.Width() : 0;
}

int gCVSGetCanvasHeight(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->canvasSurface.Height() : 0;
}

unsigned* gCVSGetCanvasPixelPtr(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->canvasSurface.Pixels() : nullptr;
}

unsigned** gCVSCreateCanvasPixelPtr2D(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->canvasSurface.CreateRowTable() : nullptr;
}

bool gCVSReleaseCanvasPixelPtr2D(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->canvasSurface.ReleaseRowTable() : true;
}

plat::Rect gCVSGetCanvasRegion(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->view.displayed : plat::Rect{};
}
