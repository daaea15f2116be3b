// The menu commands 2379, 2380 and 2383 as a user runs them: the sequence
// from the browser's hook, the dialogs answered, results in canvas 4 or on
// disk, and the running-job signal the status bar's cancel button follows.
#include "CtTestTools.h"

#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/parlet/DialogDriver.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/SequenceOps.h"

#include <QCoreApplication>
#include <QDialog>

#include <thread>

using namespace cttest;

namespace {

class SequenceCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetSequenceFileSource([this] { return files; });
        plat::setDialogHook([this](QDialog& dialog) {
            DialogDriver d(dialog);
            for (const auto& [name, value] : answers)
                d.SetValue(name, value);
            ++dialogs;
            if (cancel)
                d.PressCancel();
            else
                d.PressOk();
        });
    }

    void TearDown() override
    {
        WaitForSequenceJobs();
        SetSequenceFileSource({});
        SetSequenceJobsListener({});
        plat::setDialogHook({});
    }

    void MakeFiles(int n)
    {
        for (int i = 0; i < n; ++i)
            files.push_back(WriteRaw(Dir("seq") / Numbered("f", i, ".raw"),
                                     std::vector<std::uint16_t>{std::uint16_t(i), 10, 20, 30, 40, 50}));
    }

    void AnswerLoad()
    {
        answers = {{L"InImaW", L"3"}, {L"InImaH", L"2"}, {L"InImaPixelType", L"0"}, {L"bLittleEndian", L"true"}};
    }

    std::vector<CString> files;
    std::vector<std::pair<CString, CString>> answers;
    bool cancel = false;
    int dialogs = 0;
    MessageRecorder recorder;
};

TEST_F(SequenceCommandTest, AverageShowsTheMeanInCanvasFour)
{
    MakeFiles(3);
    AnswerLoad();
    RunSequenceCommand(2379);
    const ClassData2DIO<float>& ori = gCVSGetRawOri(4);
    ASSERT_EQ(ori.width, 3);
    ASSERT_EQ(ori.height, 2);
    EXPECT_EQ(ori.rows[0][0], 1.0f);
    EXPECT_EQ(ori.rows[1][2], 50.0f);
    EXPECT_TRUE(recorder.Texts().empty());
}

TEST_F(SequenceCommandTest, AverageRefusesOneFileBeforeAskingAnything)
{
    MakeFiles(1);
    RunSequenceCommand(2379);
    EXPECT_EQ(recorder.Texts(), std::vector<std::wstring>{L"没有两个以上的图像"});
    EXPECT_EQ(dialogs, 0);
}

TEST_F(SequenceCommandTest, CutRunsOnAWorkerAfterBothDialogs)
{
    MakeFiles(1);
    AnswerLoad();
    answers.insert(answers.end(), {{L"m_RectLeft", L"1"}, {L"m_RectRight", L"2"}, {L"m_RectTop", L"0"},
                                   {L"m_RectBottom", L"0"}, {L"m_RectBegin", L"0"}, {L"m_RectEnd", L"0"}});
    std::vector<bool> changes;
    SetSequenceJobsListener([&](bool running) { changes.push_back(running); });
    RunSequenceCommand(2380);
    WaitForSequenceJobs();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(ReadRawValues<std::uint16_t>(Dir("seq") / "10000.raw"), (std::vector<std::uint16_t>{10, 20}));
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
}

TEST_F(SequenceCommandTest, ConvertChecksTheSequenceAndTheFolder)
{
    answers = {{L"InImaW", L"3"}, {L"InImaH", L"2"}, {L"OutImaW", L"3"}, {L"OutImaH", L"2"}, {L"OutImaStep", L"1"},
               {L"OutImaPixelType", L"0"}, {L"bLittleEndian", L"true"}, {L"OutDir", L"NULL"}};
    RunSequenceCommand(2383);
    EXPECT_EQ(recorder.Texts(), std::vector<std::wstring>{L"没有序列图像"});
    MakeFiles(2);
    RunSequenceCommand(2383);
    EXPECT_EQ(recorder.Texts().back(), L"没有选择文件保存目录");
    answers.back().second = W(Dir("out"));
    RunSequenceCommand(2383);
    WaitForSequenceJobs();
    EXPECT_EQ(Names(Dir("out")), (std::vector<std::string>{"US_10000.raw", "US_10001.raw"}));
    cancel = true;
    RunSequenceCommand(2383);
    EXPECT_EQ(recorder.Texts().size(), 2u);
}

TEST_F(SequenceCommandTest, CancelStopsRunningJobsBeforeTheirNextFile)
{
    MakeFiles(6);
    std::atomic<int> started{0};
    StartSequenceJob(std::make_unique<RecordingFeedback>(), [&](SequenceJob& job) {
        ++started;
        while (!job.Cancelled())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    EXPECT_TRUE(SequenceJobsRunning());
    while (started == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    CancelSequenceJobs();
    WaitForSequenceJobs();
    EXPECT_FALSE(SequenceJobsRunning());
}

} // namespace
