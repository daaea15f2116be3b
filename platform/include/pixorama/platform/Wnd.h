#pragma once

#include "Dc.h"
#include "DibBitmap.h"
#include "Types.h"

#include <QWidget>

#include <cstdint>
#include <map>
#include <optional>

namespace plat {

// A window with Windows-shaped handlers. Client coordinates put (0, 0) at
// the top-left; mouse flags carry the MK_ bits; keys arrive as virtual-key
// codes. Every window draws into its own backing surface through dc(); a
// repaint calls onPaint(dc()) and then shows the surface, so whatever was
// drawn or copied into dc() appears at the next repaint.
class Wnd : public QWidget {
public:
    explicit Wnd(QWidget* parent = nullptr);
    ~Wnd() override;

    // The window's device context; valid for the window's life, its
    // surface follows the client size (a resize clears it to the
    // background pixel).
    Dc& dc();
    DibBitmap& backingSurface();
    void setBackgroundPixel(Pixel p) { background = p; }

    Rect clientRect() const { return {0, 0, width(), height()}; }
    // Marks r (all of the client area when empty) for the next repaint.
    void invalidate(const std::optional<Rect>& r = std::nullopt);

    // Timers: setting an id that runs restarts it with the new period.
    void setTimer(unsigned id, int milliseconds);
    void killTimer(unsigned id);

    void setCapture();
    void releaseCapture();
    bool hasCapture() const;

    Point clientToScreen(Point p) const;
    Point screenToClient(Point p) const;

    // Private messages, delivered by sendMessage and postMessage on this
    // window's thread.
    virtual std::intptr_t onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam);

protected:
    virtual void onPaint(Dc& dc);
    // Qt delivers the size of a hidden window when it is shown.
    virtual void onSize(int width, int height);
    virtual void onLButtonDown(unsigned flags, Point p);
    virtual void onLButtonUp(unsigned flags, Point p);
    virtual void onLButtonDblClk(unsigned flags, Point p);
    virtual void onRButtonDown(unsigned flags, Point p);
    virtual void onRButtonUp(unsigned flags, Point p);
    virtual void onRButtonDblClk(unsigned flags, Point p);
    virtual void onMButtonDown(unsigned flags, Point p);
    virtual void onMButtonUp(unsigned flags, Point p);
    virtual void onMouseMove(unsigned flags, Point p);
    virtual void onMouseLeave();
    // delta is 120 per notch, positive away from the user; p is in client
    // coordinates (Windows gives screen ones: use clientToScreen if needed).
    virtual void onMouseWheel(unsigned flags, int delta, Point p);
    virtual void onKeyDown(int virtualKey, int repeatCount, unsigned flags);
    virtual void onKeyUp(int virtualKey, int repeatCount, unsigned flags);
    virtual void onChar(wchar_t character, int repeatCount);
    virtual void onTimer(unsigned id);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void fitBacking();

    DibBitmap backing;
    Dc context{backing};
    Pixel background = pixelOf(255, 255, 255);
    std::map<unsigned, int> timers; // our id -> Qt's id
};

// The MK_ flags of a Qt button and modifier state.
unsigned mouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

} // namespace plat
