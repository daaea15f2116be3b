#pragma once

#include "pixorama/platform/Types.h"
#include "pixorama/platform/DragBar.h"

// A bar the user drags to split its owner's client area. A vertical bar
// moves left and right, a horizontal one up and down. While dragging, an
// outline follows the pointer along the bar's axis inside the owner; on
// release the bar moves there and tells its owner (WM_CTER_BARMOVED with
// the new leading edge and the bar's id), but only when it moved.
// Positions are in the owner's client coordinates.
class EleSegBar : public plat::DragBar {
public:
    EleSegBar(plat::Wnd* owner, bool vertical, int id);

    bool isVertical() const { return vertical; }
    int controlId() const { return id; }
    // Limits for the trailing edge (right or bottom) during a drag.
    void setLimits(int lower, int upper);
    int lowerLimit() const { return lower; }
    int upperLimit() const { return upper; }
    // Leading edge (left or top) after the last drag.
    int position() const { return pos; }
    void setPosition(int position) { pos = position; }

    // Puts the bar on r; a rectangle of negative extent shows nothing.
    void place(const plat::Rect& r);
    const plat::Rect& barRect() const { return rect; }

    // The outline's rectangle in the owner's coordinates while dragging.
    const plat::Rect& outlineRect() const { return outline; }

    // The colour of every bar.
    static void setColor(int red, int green, int blue);
    static plat::ColorRef color();

protected:
    void onPaint(plat::Dc& dc) override;
    void startDrag(plat::Point p) override;
    void followDrag(plat::Point p) override;
    void finishDrag() override;
    QWidget* makeOutline() override;

private:
    int axis(plat::Point p) const { return vertical ? p.x : p.y; }
    plat::Rect shifted(int leading) const;

    bool vertical;
    int id;
    int lower = 0;
    int upper = 500;
    int pos = 300;
    plat::Rect rect;

    int grab = 0;         // pointer position along the axis when grabbed
    int startLeading = 0; // leading edge when grabbed
    int maxLeading = 0;   // the owner's extent less the bar
    plat::Rect outline;
};
