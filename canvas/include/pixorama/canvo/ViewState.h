#pragma once

#include "pixorama/canvo/CanvasTypes.h"
#include "pixorama/common/PointTemplateBase.h"
#include "pixorama/platform/Types.h"

// Zoom and pan of one canvas, and the only place that maps between image
// pixels and client points. Image coordinates are doubles with (0, 0) at the
// top-left corner of pixel (0, 0); client coordinates are window pixels, top
// down. The displayed rectangle is where the whole image lies in the client
// area at the current scale (right and bottom exclusive):
//   image = (client - displayed.topLeft) / scale
//   client = trunc(image * scale + displayed.topLeft)
class ViewState {
public:
    int imageWidth = 0;
    int imageHeight = 0;
    double scale = 1.0;    // client pixels per image pixel
    double zoomStep = 1.2; // factor of one wheel step
    plat::Rect client;
    plat::Rect displayed;
    plat::Point lastMouse;
    bool buttonDown = false;
    DisplayMode moveMode = DisplayZoomCursor;
    int centreX = 0; // client position of the image centre
    int centreY = 0;
    // (centre - client centre) / client size, so that a resize keeps the
    // image's relative place.
    double relativeX = 0.0;
    double relativeY = 0.0;
    // The image pixels that the last blit copied.
    plat::Rect visibleSource;
    bool firstLayout = true;

    // Stores the client rectangle and places the image in it.
    void SetClient(const plat::Rect& clientRect);
    void UpdateDisplayed();
    void UpdateRelative();

    void OnLButtonDown(plat::Point p);
    void OnLButtonUp();
    // Ctrl-drag pans (except in DisplayFixed).
    void OnMouseMove(unsigned flags, plat::Point p);
    // Ctrl-wheel zooms one step (except in DisplayFixed).
    void OnMouseWheel(unsigned flags, short delta, plat::Point p);

    PointTemplateBase<double> ToImage(plat::Point client) const;
    plat::Point ToClient(PointTemplateBase<double> image) const;
    // A pointer step between two client points, in image units.
    PointTemplateBase<double> StepToImage(plat::Point from, plat::Point to) const;
    // x into [0, width - 1], y into [0, height - 1].
    PointTemplateBase<double> ClampToImage(PointTemplateBase<double> image) const;

    // Where a blit in stretch mode `mode` puts a width x height canvas
    // surface: all of it onto the displayed rectangle, clipped by the client
    // area. Stores the image part that shows in visibleSource.
    struct BlitPlan {
        plat::Rect destination;
        plat::Rect source;
        bool copies = false;
    };
    BlitPlan PlanBlit(int mode, int width, int height);
};
