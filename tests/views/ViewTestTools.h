#pragma once

#include "pixorama/platform/Wnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cstdint>
#include <functional>
#include <vector>

// Input as a user's mouse and keyboard would deliver it, straight to one widget.
namespace viewtest {

inline void mouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::NoButton,
                  Qt::MouseButtons buttons = Qt::NoButton, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, buttons, modifiers);
    QApplication::sendEvent(w, &event);
}

inline void press(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    mouse(w, QEvent::MouseButtonPress, p, button, button, modifiers);
}

inline void move(QWidget* w, QPoint p, Qt::MouseButtons buttons = Qt::LeftButton,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    mouse(w, QEvent::MouseMove, p, Qt::NoButton, buttons, modifiers);
}

inline void release(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    mouse(w, QEvent::MouseButtonRelease, p, button, Qt::NoButton, modifiers);
}

inline void doubleClick(QWidget* w, QPoint p)
{
    press(w, p);
    release(w, p);
    mouse(w, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    release(w, p);
}

inline void wheel(QWidget* w, QPoint p, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWheelEvent event(QPointF(p), QPointF(w->mapToGlobal(p)), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

inline void key(QWidget* w, Qt::Key k, const QString& text = QString(), Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, k, modifiers, text);
    QApplication::sendEvent(w, &event);
}

// A window that keeps every private message it gets; onReceive, when set,
// runs inside the handler (the sender is still waiting then).
class RecordingWnd : public plat::Wnd {
public:
    struct Message {
        unsigned msg;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };

    std::intptr_t onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        messages.push_back({msg, wParam, lParam});
        if (onReceive)
            onReceive(msg, wParam, lParam);
        return 0;
    }

    std::vector<Message> of(unsigned msg) const
    {
        std::vector<Message> out;
        for (const Message& m : messages)
            if (m.msg == msg)
                out.push_back(m);
        return out;
    }

    std::vector<Message> messages;
    std::function<void(unsigned, std::uintptr_t, std::intptr_t)> onReceive;
};

} // namespace viewtest
