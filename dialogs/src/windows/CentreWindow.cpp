#include "CentreWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace parlet {

void CentreWindow(QWidget& window)
{
    if (!window.isWindow())
        return;
    QRect area;
    if (QWidget* parent = window.parentWidget())
        area = parent->window()->frameGeometry();
    else if (QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isEmpty())
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(area.center());
    window.move(std::max(area.left(), frame.left()), std::max(area.top(), frame.top()));
}

} // namespace parlet
