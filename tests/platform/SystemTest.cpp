#include "pixorama/platform/System.h"
#include "pixorama/platform/Types.h"
#include "pixorama/platform/VirtualKeys.h"

#include "TestHome.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <stdexcept>
#include <thread>

using namespace plat;

namespace {

// Runs body on a worker while the UI thread keeps processing events.
template <typename Body>
void onWorker(Body body)
{
    std::atomic<bool> finished = false;
    std::thread worker([&] {
        body();
        finished = true;
    });
    while (!finished)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
}

} // namespace

TEST(System, ProcessorsAndCounter)
{
    EXPECT_GE(processorCount(), 1);
    EXPECT_EQ(performanceFrequency(), 1'000'000'000);
    const auto first = performanceCounter();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_GE(performanceCounter() - first, 2'000'000);
}

TEST(System, KeyStateFromSetKeyDown)
{
    EXPECT_EQ(asyncKeyState(VK_ESCAPE), 0);
    setKeyDown(VK_ESCAPE, true);
    EXPECT_EQ(asyncKeyState(VK_ESCAPE) & 0x8000, 0x8000);
    setKeyDown(VK_ESCAPE, false);
    EXPECT_EQ(asyncKeyState(VK_ESCAPE), 0);
    setKeyDown(999, true); // out of range: ignored
    EXPECT_EQ(asyncKeyState(999), 0);
    EXPECT_EQ(asyncKeyState(-1), 0);
}

TEST(System, KeyStateFollowsTheApplicationsEvents)
{
    QWidget widget;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier, QStringLiteral("c"));
    QApplication::sendEvent(&widget, &press);
    EXPECT_EQ(asyncKeyState('C') & 0x8000, 0x8000);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_C, Qt::NoModifier, QStringLiteral("c"));
    QApplication::sendEvent(&widget, &release);
    EXPECT_EQ(asyncKeyState('C'), 0);

    QMouseEvent down(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&widget, &down);
    EXPECT_EQ(asyncKeyState(VK_LBUTTON) & 0x8000, 0x8000);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(&widget, &up);
    EXPECT_EQ(asyncKeyState(VK_LBUTTON), 0);
}

TEST(System, VirtualKeyCodes)
{
    EXPECT_EQ(virtualKeyOf(Qt::Key_C), 0x43);
    EXPECT_EQ(virtualKeyOf(Qt::Key_7), 0x37);
    EXPECT_EQ(virtualKeyOf(Qt::Key_Tab), 0x09);
    EXPECT_EQ(virtualKeyOf(Qt::Key_Escape), 0x1B);
    EXPECT_EQ(virtualKeyOf(Qt::Key_Delete), VK_DELETE);
    EXPECT_EQ(virtualKeyOf(Qt::Key_F5), 0x74);
    EXPECT_EQ(virtualKeyOf(Qt::Key_Control), VK_CONTROL);
    EXPECT_EQ(virtualKeyOf(Qt::Key_7, true), 0x67);
    EXPECT_EQ(virtualKeyOf(Qt::Key_Plus, true), 0x6B);
    EXPECT_EQ(virtualKeyOf(Qt::Key_Plus), 0xBB);
    EXPECT_EQ(virtualKeyOf(Qt::Key_unknown), 0);
}

TEST(System, FoldersKeepInstalledDataAndPutSettingsInTheUsersConfig)
{
    EXPECT_EQ(writableFolder(), TestHome::path());
    EXPECT_FALSE(programFolder().empty());
    EXPECT_TRUE(std::filesystem::is_directory(programFolder()));
    // PIXORAMA_HOME moves what the program writes, not what was installed:
    // the toolbar strip drawn beside the test programs is still found.
    EXPECT_TRUE(std::filesystem::is_regular_file(dataFolder("QEVIma") / "ToolBarOne.bmp")) << dataFolder("QEVIma");

    // Without it, settings go under XDG_CONFIG_HOME even though the
    // program's own folder is writable here.
    const std::string home = TestHome::path().string();
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string keptConfig = oldConfig ? oldConfig : "";
    unsetenv("PIXORAMA_HOME");
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    const auto chosen = writableFolder();
    setenv("PIXORAMA_HOME", home.c_str(), 1);
    if (oldConfig)
        setenv("XDG_CONFIG_HOME", keptConfig.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(chosen, TestHome::path() / "config" / "pixorama");
    EXPECT_TRUE(std::filesystem::is_directory(chosen));
}

TEST(System, RunOnUiThreadFromAWorker)
{
    std::thread::id ranOn;
    int value = 0;
    onWorker([&] {
        runOnUiThread([&] {
            ranOn = std::this_thread::get_id();
            value = 42;
        });
        EXPECT_EQ(value, 42); // finished before runOnUiThread returned
        EXPECT_FALSE(isUiThread());
    });
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_TRUE(isUiThread());

    // On the UI thread it runs at once; exceptions reach the caller.
    bool direct = false;
    runOnUiThread([&] { direct = true; });
    EXPECT_TRUE(direct);
    bool caught = false;
    onWorker([&] {
        try {
            runOnUiThread([] { throw std::runtime_error("boom"); });
        } catch (const std::runtime_error&) {
            caught = true;
        }
    });
    EXPECT_TRUE(caught);
}
