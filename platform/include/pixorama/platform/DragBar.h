#pragma once

#include "Wnd.h"

#include <QPointer>

namespace plat {

// A bar the user drags inside its owner. A left press starts a drag unless
// another widget holds the mouse or the owner has no client area; while
// dragging the bar holds the mouse and the keyboard and an outline, a child
// of the owner, follows the pointer. Release, a right press or Escape ends
// the drag.
class DragBar : public Wnd {
public:
    explicit DragBar(Wnd* owner);
    ~DragBar() override;

    bool isDragging() const { return dragging; }

protected:
    // Notes where the drag starts and shows the outline.
    virtual void startDrag(Point p) = 0;
    // Moves the outline after the pointer.
    virtual void followDrag(Point p) = 0;
    // Called once the outline is hidden and the input released.
    virtual void finishDrag() = 0;
    // A new outline widget, a child of the owner.
    virtual QWidget* makeOutline() = 0;

    // Puts the outline (made on first use) on r, in the owner's coordinates.
    void showOutline(const QRect& r);
    void moveOutline(const QRect& r);

    void onLButtonDown(unsigned flags, Point p) override;
    void onMouseMove(unsigned flags, Point p) override;
    void onLButtonUp(unsigned flags, Point p) override;
    void onRButtonDown(unsigned flags, Point p) override;
    void onKeyDown(int virtualKey, int repeatCount, unsigned flags) override;

    Wnd* const owner;

private:
    void endDrag();

    bool dragging = false;
    QPointer<QWidget> outline;
};

} // namespace plat
