#pragma once

#include "pixorama/platform/Wnd.h"

#include <QPointer>

// One image view of the layout: paints its canvas and hands it every input
// event, after telling the application (WM_CTER_VIEWINPUT, sent
// synchronously, so the application sees the event before the canvas
// reacts). A left double click asks the view area to maximise this view.
class EleView : public plat::Wnd {
public:
    // canvasId is also the view's maximise index.
    EleView(plat::Wnd* viewArea, plat::Wnd* notifyTarget, int canvasId, int controlId);

    int canvasId() const { return canvas; }
    int controlId() const { return id; }

protected:
    void onPaint(plat::Dc& dc) override;
    void onSize(int width, int height) override;
    void onLButtonDown(unsigned flags, plat::Point p) override;
    void onLButtonUp(unsigned flags, plat::Point p) override;
    void onLButtonDblClk(unsigned flags, plat::Point p) override;
    void onMouseMove(unsigned flags, plat::Point p) override;
    void onMouseWheel(unsigned flags, int delta, plat::Point p) override;
    void onKeyDown(int virtualKey, int repeatCount, unsigned flags) override;

private:
    void notifyPointer(int event, unsigned flags, plat::Point p);
    void notify();

    plat::Wnd* area;
    QPointer<plat::Wnd> target;
    int canvas;
    int id;
};
