#include "pixorama/platform/Messages.h"
#include "pixorama/platform/Wnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

using namespace plat;

namespace {

// Records what its handlers were given, as text.
class Recorder : public Wnd {
public:
    std::vector<std::string> log;
    std::thread::id messageThread;
    unsigned stopTimerAfter = 0;

    std::intptr_t onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        messageThread = std::this_thread::get_id();
        log.push_back("msg " + std::to_string(msg));
        return std::intptr_t(wParam) + lParam;
    }

protected:
    void onSize(int w, int h) override { log.push_back("size " + std::to_string(w) + "x" + std::to_string(h)); }
    void onLButtonDown(unsigned flags, Point p) override { add("ldown", flags, p); }
    void onLButtonUp(unsigned flags, Point p) override { add("lup", flags, p); }
    void onLButtonDblClk(unsigned flags, Point p) override { add("ldbl", flags, p); }
    void onRButtonDown(unsigned flags, Point p) override { add("rdown", flags, p); }
    void onRButtonUp(unsigned flags, Point p) override { add("rup", flags, p); }
    void onRButtonDblClk(unsigned flags, Point p) override { add("rdbl", flags, p); }
    void onMButtonDown(unsigned flags, Point p) override { add("mdown", flags, p); }
    void onMButtonUp(unsigned flags, Point p) override { add("mup", flags, p); }
    void onMouseMove(unsigned flags, Point p) override { add("move", flags, p); }
    void onMouseWheel(unsigned flags, int delta, Point p) override
    {
        add("wheel " + std::to_string(delta), flags, p);
    }
    void onKeyDown(int key, int, unsigned) override { log.push_back("keydown " + std::to_string(key)); }
    void onKeyUp(int key, int, unsigned) override { log.push_back("keyup " + std::to_string(key)); }
    void onChar(wchar_t c, int) override { log.push_back(std::string("char ") + char(c)); }
    void onTimer(unsigned id) override
    {
        log.push_back("timer " + std::to_string(id));
        if (id == stopTimerAfter)
            killTimer(id);
    }

private:
    void add(const std::string& what, unsigned flags, Point p)
    {
        log.push_back(what + " " + std::to_string(flags) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
};

void mouse(QWidget& w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, Qt::KeyboardModifiers mods,
           QPointF at)
{
    QMouseEvent event(type, at, w.mapToGlobal(at), button, held, mods);
    QApplication::sendEvent(&w, &event);
}

} // namespace

TEST(Wnd, MessageFromAWorkerIsHandledOnTheUiThreadBeforeSendReturns)
{
    Recorder wnd;
    std::atomic<bool> finished = false;
    std::intptr_t result = 0;
    std::size_t loggedWhenReturned = 0;
    std::thread worker([&] {
        result = sendMessage(&wnd, 0x089C, 40, 2);
        loggedWhenReturned = wnd.log.size();
        finished = true;
    });
    while (!finished)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    EXPECT_EQ(result, 42);
    EXPECT_EQ(loggedWhenReturned, 1u);
    EXPECT_EQ(wnd.messageThread, std::this_thread::get_id());

    // On its own thread the handler runs inside the call.
    EXPECT_EQ(sendMessage(&wnd, 0x084E, 1, 1), 2);
    EXPECT_EQ(sendMessage(nullptr, 0x084E), 0);
}

TEST(Wnd, PostedMessagesWaitForTheEventLoop)
{
    Recorder wnd;
    EXPECT_TRUE(postMessage(&wnd, 0x0464, 0, 0));
    EXPECT_TRUE(wnd.log.empty());
    QApplication::processEvents();
    EXPECT_EQ(wnd.log, std::vector<std::string>{"msg 1124"});
    EXPECT_FALSE(postMessage(nullptr, 1));

    // A window gone before its message arrives simply never gets it.
    auto* doomed = new Recorder;
    postMessage(doomed, 0x0464);
    delete doomed;
    QApplication::processEvents();
}

TEST(Wnd, MouseHandlersGetWindowsFlags)
{
    Recorder wnd;
    wnd.resize(50, 40);
    wnd.log.clear();
    mouse(wnd, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier, {3, 4});
    mouse(wnd, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier, {5, 6});
    mouse(wnd, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, Qt::NoModifier, {5, 6});
    mouse(wnd, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, {5, 6});
    mouse(wnd, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, Qt::ControlModifier, {7, 8});
    mouse(wnd, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, Qt::NoModifier, {7, 8});
    mouse(wnd, QEvent::MouseButtonDblClick, Qt::RightButton, Qt::RightButton, Qt::NoModifier, {7, 8});
    mouse(wnd, QEvent::MouseButtonPress, Qt::MiddleButton, Qt::MiddleButton, Qt::NoModifier, {1, 2});
    mouse(wnd, QEvent::MouseButtonRelease, Qt::MiddleButton, Qt::NoButton, Qt::NoModifier, {1, 2});
    // A middle double click counts as another press.
    mouse(wnd, QEvent::MouseButtonDblClick, Qt::MiddleButton, Qt::MiddleButton, Qt::NoModifier, {1, 2});
    QWheelEvent wheel(QPointF(9, 10), wnd.mapToGlobal(QPointF(9, 10)), QPoint(), QPoint(0, -240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&wnd, &wheel);
    const std::vector<std::string> expected{"ldown 5 3,4",  "move 9 5,6",   "lup 0 5,6", "ldbl 1 5,6",
                                            "rdown 10 7,8", "rup 0 7,8",    "rdbl 2 7,8", "mdown 16 1,2",
                                            "mup 0 1,2",    "mdown 16 1,2", "wheel -240 0 9,10"};
    EXPECT_EQ(wnd.log, expected);
}

TEST(Wnd, KeysArriveAsVirtualKeyCodes)
{
    Recorder wnd;
    QKeyEvent c(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier, QStringLiteral("c"));
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QKeyEvent escUp(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&wnd, &c);
    QApplication::sendEvent(&wnd, &tab);
    QApplication::sendEvent(&wnd, &escUp);
    const std::vector<std::string> expected{"keydown 67", "char c", "keydown 9", "char \t", "keyup 27"};
    EXPECT_EQ(wnd.log, expected);
}

TEST(Wnd, TimersFireWithTheirIdUntilKilled)
{
    Recorder wnd;
    wnd.stopTimerAfter = 7;
    wnd.setTimer(7, 1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (wnd.log.empty() && std::chrono::steady_clock::now() < deadline)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    QApplication::processEvents();
    EXPECT_EQ(wnd.log, std::vector<std::string>{"timer 7"}); // killed from its own handler
}

TEST(Wnd, WhatTheDcHoldsAppearsUprightAtTheNextRepaint)
{
    Recorder wnd;
    wnd.resize(20, 10);
    EXPECT_EQ(wnd.backingSurface().width(), 20); // even while hidden
    wnd.show();
    EXPECT_EQ(wnd.log, std::vector<std::string>{"size 20x10"});
    wnd.dc().fillRect(wnd.clientRect(), rgb(255, 255, 255));
    wnd.dc().fillRect({0, 0, 20, 1}, rgb(255, 0, 0)); // the top line
    wnd.invalidate();
    const QImage shown = wnd.grab().toImage();
    ASSERT_EQ(shown.height(), 10);
    EXPECT_EQ(shown.pixel(5, 0) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(shown.pixel(5, 9) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(Wnd, CaptureFollowsSetAndRelease)
{
    Recorder wnd;
    wnd.resize(10, 10);
    wnd.show();
    EXPECT_FALSE(wnd.hasCapture());
    wnd.setCapture();
    EXPECT_TRUE(wnd.hasCapture());
    wnd.releaseCapture();
    EXPECT_FALSE(wnd.hasCapture());
}
