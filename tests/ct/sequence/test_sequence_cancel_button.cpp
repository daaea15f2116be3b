// The status bar's cancel button: visible while a job runs; a click or Esc
// stops the jobs before their next file.
#include "CtTestTools.h"

#include "pixorama/workbench/SequenceCancelButton.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QShortcut>

#include <atomic>
#include <thread>

using namespace cttest;

namespace {

class CancelButtonTest : public testing::Test {
protected:
    void SetUp() override
    {
        button = new SequenceCancelButton(window.statusBar());
        window.statusBar()->addPermanentWidget(button);
        window.show();
        QApplication::processEvents();
    }

    // A job that runs until it is cancelled; counts its files.
    void StartEndlessJob()
    {
        StartSequenceJob(std::make_unique<RecordingFeedback>(), [this](SequenceJob& job) {
            while (!job.Cancelled()) {
                ++files;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        QApplication::processEvents();
    }

    QMainWindow window;
    SequenceCancelButton* button = nullptr;
    std::atomic<int> files{0};
};

TEST_F(CancelButtonTest, HiddenUntilAJobRunsAndAClickStopsIt)
{
    EXPECT_FALSE(button->isVisible());
    StartEndlessJob();
    EXPECT_TRUE(button->isVisible());
    button->click();
    WaitForSequenceJobs();
    EXPECT_FALSE(SequenceJobsRunning());
    EXPECT_FALSE(button->isVisible());
}

TEST_F(CancelButtonTest, EscapeCancelsOnlyWhileAJobRuns)
{
    auto* escape = window.findChild<QShortcut*>();
    ASSERT_NE(escape, nullptr);
    EXPECT_EQ(escape->key(), QKeySequence(Qt::Key_Escape));
    EXPECT_FALSE(escape->isEnabled());
    StartEndlessJob();
    EXPECT_TRUE(escape->isEnabled());
    QMetaObject::invokeMethod(escape, "activated");
    WaitForSequenceJobs();
    EXPECT_FALSE(escape->isEnabled());
    EXPECT_FALSE(SequenceJobsRunning());
    EXPECT_FALSE(button->isVisible());
}

} // namespace
