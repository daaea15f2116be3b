#pragma once

#include "pixorama/canvo/Canvo.h"
#include "pixorama/canvo/DibSurface.h"
#include "pixorama/canvo/GdiPainter.h"
#include "pixorama/canvo/InteractiveProgress.h"
#include "pixorama/canvo/InteractiveSlider.h"
#include "pixorama/canvo/OverlayWatcher.h"
#include "pixorama/canvo/ViewState.h"
#include "pixorama/platform/Dc.h"
#include "pixorama/platform/Types.h"

#include <cstdint>
#include <memory>
#include <vector>

// The drawing and input half of a canvas: the client surface it paints into,
// the canvas surface that holds the image's display pixels, the view state
// and the overlay list. Index order of the overlays is drawing order; the
// last one is topmost.
class InteractiveDC {
public:
    InteractiveDC();
    InteractiveDC(const InteractiveDC&) = delete;
    InteractiveDC& operator=(const InteractiveDC&) = delete;
    virtual ~InteractiveDC();

    // Background, image, overlays into the client surface, then a copy of
    // the client surface into the target painter.
    virtual void OnDraw();
    virtual void DrawBackground(plat::Dc* dc);
    // Client background, hatch and the frame around the displayed image.
    virtual void DrawFrame(plat::Dc* dc);
    virtual void DrawExtra();
    virtual void SetLutPara(float left, float right);

    void SetClient(const plat::Rect& clientRect, plat::Dc* dc);
    // New canvas surface for a width x height image; optionally deletes
    // every overlay. A size that cannot be allocated leaves an empty canvas.
    void PrepareCanvas(int width, int height, bool deleteOverlays);

    // Numbers the overlay, appends it, selects it and attaches the view.
    Canvo& AddOverlay(std::unique_ptr<Canvo> overlay);
    void DeleteSelected();
    void DeleteAll();
    // The same, asked for by the user: the watcher hears of it.
    void UserDeleteSelected();
    void UserDeleteAll();
    Canvo* Selected();

    void OnLButtonDown(unsigned flags, plat::Point pt);
    void OnLButtonUp(unsigned flags, plat::Point pt);
    void OnMouseMove(unsigned flags, plat::Point pt);
    void OnMouseWheel(unsigned flags, short delta, plat::Point pt);
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags);
    void OnTimer(std::uintptr_t id);

    // Per-kind creation counters (next kind ordinal); null for kinds that
    // have none.
    int* KindCounter(int kind);

    int rectCount = 0;
    int customRectCount = 0;
    int polygonCount = 0;
    int splineCount = 0;
    int freeRegionCount = 0;
    int regionTotal = 0; // next ordinal of the region kinds
    int strokeCount = 0;
    int textCount = 0;
    int measureLineCount = 0;
    int angle3Count = 0;
    int angle4Count = 0;
    int overlayTotal = 0; // next ordinal of the other kinds
    plat::Dc* targetDc = nullptr;
    GdiPainter painter;
    DibSurface clientSurface;
    DibSurface canvasSurface;
    ViewState view;
    bool contrastShown = false;
    InteractiveSlider slider;
    InteractiveProgress progress;
    bool progressShown = false;
    std::vector<std::unique_ptr<Canvo>> overlays;
    int selectedIndex = -1;
    bool clientPixelsDirect = false;
    // When set, deleted overlays go to it instead of being destroyed.
    OverlayWatcher* overlayWatcher = nullptr;

protected:
    void AttachAll();
    void BlitImage(plat::Dc& dc, const ViewState::BlitPlan& plan);

    // Client pixels that the coming image blit overwrites completely; the
    // background skips them. Empty outside a paint.
    plat::Rect backgroundHole;
};
