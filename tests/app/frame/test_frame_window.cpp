// Full screen, always on top, the recent files and the test table.
#include "WorkbenchFixture.h"

#include "pixorama/brovia/LayOutOne.h"
#include "pixorama/workbench/MenuTables.h"
#include "pixorama/workbench/RecentFiles.h"
#include "pixorama/workbench/SequenceCancelButton.h"
#include "pixorama/workbench/SequenceOps.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

namespace {

class FrameWindowTest : public WorkbenchTest {
protected:
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr && focus->window() == frame.get() ? focus : frame.get(), key, modifiers);
    }
};

TEST_F(FrameWindowTest, EscOutsideFullScreenChangesNothing)
{
    const QRect before = frame->geometry();
    Key(Qt::Key_Escape);
    EXPECT_FALSE(frame->isFullScreenMode());
    EXPECT_EQ(frame->geometry(), before);
    EXPECT_EQ(frame->menuBar()->actions().size(), 10);
    frame->LeaveFullScreen();
    EXPECT_EQ(frame->geometry(), before);
}

TEST_F(FrameWindowTest, CtrlKeysEnterAndEscLeavesFullScreen)
{
    const QRect before = frame->geometry();
    Key(Qt::Key_Escape, Qt::ControlModifier);
    EXPECT_TRUE(frame->isFullScreenMode());
    EXPECT_TRUE(frame->isFullScreen());
    EXPECT_TRUE(frame->menuBar()->actions().isEmpty());
    // A second entry keeps the geometry to come back to.
    Key(Qt::Key_X, Qt::ControlModifier);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(frame->isFullScreenMode());
    EXPECT_EQ(frame->geometry(), before);
    EXPECT_EQ(frame->menuBar()->actions().size(), 10);
    frame->OnCommand(2260);
    EXPECT_TRUE(frame->isFullScreenMode());
    frame->OnCommand(2260);
    EXPECT_FALSE(frame->isFullScreenMode());
}

TEST_F(FrameWindowTest, AlwaysOnTopToggles)
{
    const QRect before = frame->geometry();
    frame->OnCommand(2261);
    EXPECT_TRUE(gWorkState().alwaysOnTop);
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->geometry(), before);
    frame->OnCommand(2261);
    EXPECT_FALSE(gWorkState().alwaysOnTop);
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(FrameWindowTest, RecentFilesKeepTheLastFourNewestFirst)
{
    std::vector<std::wstring> paths;
    for (int i = 0; i < 5; ++i)
        paths.push_back(WriteColour(std::to_string(i) + "-recent.png", 2, 2, [i](int, int) { return unsigned(i); }));
    for (const std::wstring& p : paths) {
        Choose(p);
        frame->OnCommand(2224);
    }
    Choose(paths[1]);
    frame->OnCommand(2224);
    EXPECT_EQ(RecentFiles::Load(), (std::vector<std::wstring>{paths[1], paths[4], paths[3], paths[2]}));
    // The list lives in the writable folder, not in the frame.
    EXPECT_TRUE(std::filesystem::exists(Home() / "recent-files.ini"));

    emit frame->recentMenu()->aboutToShow();
    const QList<QAction*> entries = frame->recentMenu()->actions();
    ASSERT_EQ(entries.size(), 4);
    EXPECT_TRUE(entries[2]->text().endsWith(QString::fromStdWString(paths[3])));
    entries[2]->trigger();
    EXPECT_EQ(gWorkState().imagePath, paths[3]);
    EXPECT_EQ(Pixel(0, 0), 3u);
}

TEST_F(FrameWindowTest, MissingRecentFileIsDroppedWithAMessage)
{
    const std::wstring kept = WriteColour("kept.png", 2, 2, [](int, int) { return 9u; });
    const std::wstring gone = WriteColour("gone.png", 2, 2, [](int, int) { return 7u; });
    Choose(kept);
    frame->OnCommand(2224);
    Choose(gone);
    frame->OnCommand(2224);
    std::filesystem::remove(plat::toPath(gone));
    frame->OnCommand(ID_RECENT_FILE_FIRST);
    EXPECT_EQ(messages, std::vector<std::wstring>{L"文件不存在"});
    EXPECT_EQ(RecentFiles::Load(), std::vector<std::wstring>{kept});
    EXPECT_EQ(Pixel(0, 0), 7u); // the picture shown stays
    frame->OnCommand(ID_RECENT_FILE_FIRST + 3);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(FrameWindowTest, GreyTestPaintsTheLeftHalfRed)
{
    OpenColourByMenu("g.png", 4, 2, [](int, int) { return 0x336699u; });
    Answer(std::nullopt);
    frame->OnCommand(2954);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(Pixel(1, 1), 0xFF0000u);
    EXPECT_EQ(Pixel(2, 0), 0x336699u);
    EXPECT_EQ(gCVSGetCanvasPixelPtr(canvas)[0] >> 24, 0u);
    frame->OnCommand(2928);
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(Pixel(3, 1), 0x336699u);
}

} // namespace

TEST_F(FrameWindowTest, SequenceCommandsUseTheBrowserListAndTheRawWindow)
{
    std::vector<CString>* list = gLayOutOneGetFilesInOne();
    ASSERT_NE(list, nullptr);
    *list = {L"/data/p0001.raw", L"/data/p0002.raw"};
    EXPECT_EQ(SequenceFiles(), *list);
    list->clear();

    gWorkState().rawWindowLeft = 0.125f;
    gWorkState().rawWindowRight = 0.75f;
    EXPECT_FLOAT_EQ(CurrentDisplayWindow().left, 0.125f);
    EXPECT_FLOAT_EQ(CurrentDisplayWindow().right, 0.75f);

    // The cancel button waits, hidden, in the status bar until a job runs.
    auto* cancel = frame->statusBar()->findChild<SequenceCancelButton*>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_FALSE(cancel->isVisible());

    // Without a frame the sequence comes from the file chooser again.
    frame.reset();
    Choose(L"/data/only.raw");
    EXPECT_EQ(SequenceFiles(), std::vector<CString>{L"/data/only.raw"});
}
