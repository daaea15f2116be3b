#include "pixorama/platform/Wnd.h"

#include "pixorama/platform/VirtualKeys.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTimerEvent>
#include <QWheelEvent>

namespace plat {

namespace {

Point pointOf(const QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

unsigned keyFlags(const QKeyEvent* event)
{
    // Bit 30 of a key message: the key was already down (auto-repeat).
    return event->isAutoRepeat() ? 1u << 14 : 0u;
}

} // namespace

unsigned mouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    unsigned flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

namespace {

using ButtonHandler = void (Wnd::*)(unsigned, Point);

// Calls wnd's handler for the event's button; false for a button other than
// left, right and middle.
bool callButtonHandler(Wnd& wnd, const QMouseEvent* event, ButtonHandler left, ButtonHandler right,
                       ButtonHandler middle)
{
    ButtonHandler handler = nullptr;
    switch (event->button()) {
    case Qt::LeftButton: handler = left; break;
    case Qt::RightButton: handler = right; break;
    case Qt::MiddleButton: handler = middle; break;
    default: return false;
    }
    (wnd.*handler)(mouseFlags(event->buttons(), event->modifiers()), pointOf(event));
    return true;
}

} // namespace

Wnd::Wnd(QWidget* parent) : QWidget(parent)
{
    // Windows sends mouse moves without a button held, and keys to the
    // window that has focus.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Wnd::~Wnd() = default;

Dc& Wnd::dc()
{
    fitBacking();
    return context;
}

DibBitmap& Wnd::backingSurface()
{
    fitBacking();
    return backing;
}

// A hidden window gets no resize event until shown; its surface follows
// the size all the same.
void Wnd::fitBacking()
{
    if (backing.width() != width() || backing.height() != height())
        backing.resize(width(), height(), background);
}

void Wnd::invalidate(const std::optional<Rect>& r)
{
    if (r)
        update(QRect(r->left, r->top, r->width(), r->height()));
    else
        update();
}

void Wnd::setTimer(unsigned id, int milliseconds)
{
    killTimer(id);
    const int qtId = startTimer(std::max(0, milliseconds));
    if (qtId != 0)
        timers[id] = qtId;
}

void Wnd::killTimer(unsigned id)
{
    const auto found = timers.find(id);
    if (found == timers.end())
        return;
    QObject::killTimer(found->second);
    timers.erase(found);
}

void Wnd::setCapture()
{
    grabMouse();
}

void Wnd::releaseCapture()
{
    if (hasCapture())
        releaseMouse();
}

bool Wnd::hasCapture() const
{
    return QWidget::mouseGrabber() == this;
}

Point Wnd::clientToScreen(Point p) const
{
    const QPoint q = mapToGlobal(QPoint(p.x, p.y));
    return {q.x(), q.y()};
}

Point Wnd::screenToClient(Point p) const
{
    const QPoint q = mapFromGlobal(QPoint(p.x, p.y));
    return {q.x(), q.y()};
}

std::intptr_t Wnd::onMessage(unsigned, std::uintptr_t, std::intptr_t)
{
    return 0;
}

void Wnd::onPaint(Dc&) {}
void Wnd::onSize(int, int) {}
void Wnd::onLButtonDown(unsigned, Point) {}
void Wnd::onLButtonUp(unsigned, Point) {}
void Wnd::onLButtonDblClk(unsigned, Point) {}
void Wnd::onRButtonDown(unsigned, Point) {}
void Wnd::onRButtonUp(unsigned, Point) {}
void Wnd::onRButtonDblClk(unsigned, Point) {}
void Wnd::onMButtonDown(unsigned, Point) {}
void Wnd::onMButtonUp(unsigned, Point) {}
void Wnd::onMouseMove(unsigned, Point) {}
void Wnd::onMouseLeave() {}
void Wnd::onMouseWheel(unsigned, int, Point) {}
void Wnd::onKeyDown(int, int, unsigned) {}
void Wnd::onKeyUp(int, int, unsigned) {}
void Wnd::onChar(wchar_t, int) {}
void Wnd::onTimer(unsigned) {}

bool Wnd::event(QEvent* event)
{
    // Tab would otherwise move the focus before the window sees it.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(event);
}

void Wnd::paintEvent(QPaintEvent*)
{
    fitBacking();
    onPaint(context);
    if (backing.isEmpty())
        return;
    // The surface is stored bottom-up; show it flipped back.
    QPainter painter(this);
    painter.setTransform(QTransform(1, 0, 0, -1, 0, backing.height()));
    painter.drawImage(0, 0, backing.memoryImage());
}

void Wnd::resizeEvent(QResizeEvent* event)
{
    fitBacking();
    onSize(event->size().width(), event->size().height());
}

void Wnd::mousePressEvent(QMouseEvent* event)
{
    if (!callButtonHandler(*this, event, &Wnd::onLButtonDown, &Wnd::onRButtonDown, &Wnd::onMButtonDown))
        QWidget::mousePressEvent(event);
}

void Wnd::mouseReleaseEvent(QMouseEvent* event)
{
    if (!callButtonHandler(*this, event, &Wnd::onLButtonUp, &Wnd::onRButtonUp, &Wnd::onMButtonUp))
        QWidget::mouseReleaseEvent(event);
}

// A middle double click is a second middle press.
void Wnd::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!callButtonHandler(*this, event, &Wnd::onLButtonDblClk, &Wnd::onRButtonDblClk, &Wnd::onMButtonDown))
        QWidget::mouseDoubleClickEvent(event);
}

void Wnd::mouseMoveEvent(QMouseEvent* event)
{
    onMouseMove(mouseFlags(event->buttons(), event->modifiers()), pointOf(event));
}

void Wnd::leaveEvent(QEvent*)
{
    onMouseLeave();
}

void Wnd::wheelEvent(QWheelEvent* event)
{
    const QPoint p = event->position().toPoint();
    onMouseWheel(mouseFlags(event->buttons(), event->modifiers()), event->angleDelta().y(), {p.x(), p.y()});
}

void Wnd::keyPressEvent(QKeyEvent* event)
{
    const int key = virtualKeyOf(event->key(), event->modifiers() & Qt::KeypadModifier);
    if (key != 0)
        onKeyDown(key, 1, keyFlags(event));
    const QString text = event->text();
    for (const char32_t c : text.toUcs4()) {
        if (QChar::isPrint(c) || c == U'\r' || c == U'\b' || c == U'\t' || c == 0x1B)
            onChar(wchar_t(c), 1);
    }
    if (key == 0 && text.isEmpty())
        QWidget::keyPressEvent(event);
}

void Wnd::keyReleaseEvent(QKeyEvent* event)
{
    const int key = virtualKeyOf(event->key(), event->modifiers() & Qt::KeypadModifier);
    if (key != 0)
        onKeyUp(key, 1, keyFlags(event));
    else
        QWidget::keyReleaseEvent(event);
}

void Wnd::timerEvent(QTimerEvent* event)
{
    // Found first: the handler may kill or set timers.
    for (const auto& [id, qtId] : timers) {
        if (qtId == event->timerId()) {
            const unsigned ours = id;
            onTimer(ours);
            return;
        }
    }
    QWidget::timerEvent(event);
}

} // namespace plat
