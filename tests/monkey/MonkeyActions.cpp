#include "MonkeyActions.h"

#include "pixorama/platform/Strings.h"
#include "pixorama/platform/Wnd.h"
#include "pixorama/workbench/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QTest>
#include <QThread>
#include <QToolBar>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>
#include <thread>
#include <typeinfo>

namespace {

void collect(const QMenu* menu, std::vector<QAction*>& out)
{
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu())
            collect(sub, out);
        else if (!action->isSeparator())
            out.push_back(action);
    }
}

void closePopups()
{
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

std::string describe(const QWidget* widget)
{
    std::string name = widget->metaObject()->className();
    if (const auto* wnd = dynamic_cast<const plat::Wnd*>(widget))
        name = typeid(*wnd).name();
    if (!widget->objectName().isEmpty())
        name += " \"" + widget->objectName().toStdString() + "\"";
    return name;
}

Qt::KeyboardModifiers modifiersFrom(std::uint64_t bits)
{
    Qt::KeyboardModifiers modifiers;
    if (bits & 1)
        modifiers |= Qt::ShiftModifier;
    if (bits & 2)
        modifiers |= Qt::ControlModifier;
    if (bits & 4)
        modifiers |= Qt::AltModifier;
    return modifiers;
}

const std::vector<Qt::MouseButton> mouseButtons = {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                                   Qt::MiddleButton};

} // namespace

MonkeyActions::MonkeyActions(CMainFrame& window, MonkeyRandom& stream, MonkeyLog& lines, std::vector<std::wstring> files)
    : frame(window), random(stream), log(lines), corpus(std::move(files))
{
}

std::string MonkeyActions::Step()
{
    closePopups();
    const auto roll = random.Below(100);
    std::string done;
    if (roll < 30)
        done = command();
    else if (roll < 55)
        done = mouse();
    else if (roll < 65)
        done = wheel();
    else if (roll < 82)
        done = key();
    else if (roll < 88)
        done = drop();
    else if (roll < 91)
        done = fullScreen();
    else if (roll < 94)
        done = resize();
    else
        done = pause();
    QApplication::processEvents();
    closePopups();
    return done;
}

std::vector<QAction*> MonkeyActions::commands() const
{
    // Read from the window each time: menus are rebuilt and new commands
    // come with them.
    std::vector<QAction*> found;
    for (QAction* top : frame.menuBar()->actions())
        if (QMenu* menu = top->menu())
            collect(menu, found);
    if (QToolBar* tools = frame.toolBar())
        for (QAction* action : tools->actions())
            if (!action->isSeparator())
                found.push_back(action);
    return found;
}

std::string MonkeyActions::command()
{
    const auto all = commands();
    if (all.empty())
        return "no command";
    QAction* action = random.Pick(all);
    const std::string name = action->text().toStdString() + " (" + action->data().toString().toStdString() + ")";
    log.Line("  command " + name);
    action->trigger();
    return "command " + name;
}

QWidget* MonkeyActions::target()
{
    std::vector<QWidget*> all;
    std::vector<QWidget*> windows;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || qobject_cast<QMenu*>(top))
            continue;
        all.push_back(top);
        for (QWidget* child : top->findChildren<QWidget*>())
            if (child->isVisible()) {
                all.push_back(child);
                if (dynamic_cast<plat::Wnd*>(child))
                    windows.push_back(child);
            }
    }
    // Half the time one of the program's own windows (canvases, bars, strips).
    if (!windows.empty() && random.Chance(50))
        return random.Pick(windows);
    return all.empty() ? nullptr : random.Pick(all);
}

std::string MonkeyActions::mouse()
{
    QWidget* widget = target();
    if (!widget)
        return "mouse: no window";
    const auto point = [&] {
        const int w = std::max(widget->width(), 1);
        const int h = std::max(widget->height(), 1);
        if (random.Chance(10))
            return QPoint(random.Between(-8, w + 8), random.Between(-8, h + 8));
        return QPoint(int(random.Below(std::uint64_t(w))), int(random.Below(std::uint64_t(h))));
    };
    const Qt::MouseButton button = random.Pick(mouseButtons);
    const Qt::KeyboardModifiers modifiers = modifiersFrom(random.Below(8) & 3);
    const QPoint from = point();
    const std::string where = describe(widget) + " at " + std::to_string(from.x()) + "," + std::to_string(from.y());
    QPointer<QWidget> guard(widget);
    switch (random.Below(4)) {
    case 0:
        log.Line("  double click " + where);
        QTest::mouseDClick(widget, button, modifiers, from);
        return "double click " + where;
    case 1: {
        const QPoint to = point();
        log.Line("  drag " + where + " to " + std::to_string(to.x()) + "," + std::to_string(to.y()));
        QTest::mousePress(widget, button, modifiers, from);
        for (int i = 1; i <= 4 && guard; ++i)
            QTest::mouseMove(widget, from + (to - from) * i / 4);
        if (guard)
            QTest::mouseRelease(widget, button, modifiers, to);
        return "drag " + where;
    }
    default:
        log.Line("  click " + where);
        QTest::mouseClick(widget, button, modifiers, from);
        return "click " + where;
    }
}

std::string MonkeyActions::wheel()
{
    QWidget* widget = target();
    if (!widget)
        return "wheel: no window";
    const QPointF at(random.Below(std::uint64_t(std::max(widget->width(), 1))),
                     random.Below(std::uint64_t(std::max(widget->height(), 1))));
    const int delta = (random.Chance(50) ? 120 : -120) * random.Between(1, 3);
    const Qt::KeyboardModifiers modifiers = modifiersFrom(random.Below(4));
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    const std::string what = "wheel " + std::to_string(delta) + " on " + describe(widget);
    log.Line("  " + what);
    QApplication::sendEvent(widget, &event);
    return what;
}

std::string MonkeyActions::key()
{
    static const std::vector<int> keys = {
        Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Left,
        Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home,
        Qt::Key_End, Qt::Key_Space, Qt::Key_F1, Qt::Key_F5, Qt::Key_F11, Qt::Key_Plus, Qt::Key_Minus,
        Qt::Key_A, Qt::Key_C, Qt::Key_O, Qt::Key_S, Qt::Key_V, Qt::Key_X, Qt::Key_Z, Qt::Key_0, Qt::Key_5};
    QWidget* widget = random.Chance(30) ? &frame : target();
    if (!widget)
        return "key: no window";
    const int k = random.Pick(keys);
    const Qt::KeyboardModifiers modifiers = modifiersFrom(random.Below(8));
    const std::string what = "key " + std::to_string(k) + " modifiers " + std::to_string(int(modifiers)) + " on "
                             + describe(widget);
    log.Line("  " + what);
    QTest::keyClick(widget, Qt::Key(k), modifiers);
    return what;
}

std::string MonkeyActions::drop()
{
    const std::wstring path = random.Pick(corpus);
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(QString::fromStdWString(path))});
    const QPoint at(frame.width() / 2, frame.height() / 2);
    const std::string what = "drop " + plat::toUtf8(path);
    log.Line("  " + what);
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    QDropEvent event(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &event);
    delete data;
    return what;
}

std::string MonkeyActions::fullScreen()
{
    log.Line("  full screen toggle");
    frame.ToggleFullScreen();
    return "full screen toggle";
}

std::string MonkeyActions::resize()
{
    const int w = random.Between(120, 1600);
    const int h = random.Between(90, 1200);
    const std::string what = "resize " + std::to_string(w) + "x" + std::to_string(h);
    log.Line("  " + what);
    frame.resize(w, h);
    return what;
}

std::string MonkeyActions::pause()
{
    // Lets running jobs reach their next file while events are handled.
    const int rounds = random.Between(1, 10);
    for (int i = 0; i < rounds; ++i) {
        QApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return "pause " + std::to_string(rounds);
}
