// The stitching entry points over files: the batch with its index range,
// names, memory destinations, cancel and messages, and the single pair.
#include "CtTestTools.h"

#include "pixorama/platform/Modal.h"
#include "pixorama/workbench/ProjectionStitch.h"

using namespace cttest;

namespace {

class PairBatchTest : public testing::Test {
protected:
    void SetUp() override
    {
        para.ImaOneW = para.ImaTwoW = 2;
        para.ImaOneH = para.ImaTwoH = para.ImaThreeH = 2;
        para.ImaThreeW = 4;
        para.InImaPixelType = 0;
        para.OutImaPixelType = 1;
        para.InputFileEndIndex = 1000;
        para.InputFileStep = 1;
        para.m_SaveDir = W(Dir("out"));
    }

    // Pair k: left all k, right all 100 + k.
    void MakePairs(int n, const std::string& rightExt = "raw")
    {
        for (int k = 0; k < n; ++k) {
            para.LeftFiles.push_back(
                WriteRaw(Dir("in") / Numbered("l", k, ".raw"), std::vector<std::uint16_t>(4, std::uint16_t(k))));
            para.RightFiles.push_back(WriteRaw(Dir("in") / Numbered("r", k, ("." + rightExt).c_str()),
                                               std::vector<std::uint16_t>(4, std::uint16_t(100 + k))));
        }
    }

    bool Run()
    {
        SequenceJob job(feedback, &para.CancelFlag);
        return CheckPairBatch(para, job) && RunPairBatch(para, job);
    }

    std::filesystem::path Out(int number) const
    {
        char name[32];
        std::snprintf(name, sizeof name, "%5d.raw", number);
        return TestHome::path() / "data" / "out" / name;
    }

    tagQEVImaPairPara para;
    RecordingFeedback feedback;
};

TEST_F(PairBatchTest, IndexRangeIsClippedToTheListAndStepped)
{
    MakePairs(5);
    para.InputFileStartIndex = -3;
    para.InputFileEndIndex = 100;
    para.InputFileStep = 2;
    ASSERT_TRUE(Run());
    EXPECT_EQ(Names(Dir("out")), (std::vector<std::string>{"    0.raw", "    2.raw", "    4.raw"}));
    EXPECT_EQ(ReadRawValues<float>(Out(4)), (std::vector<float>{4, 4, 104, 104, 4, 4, 104, 104}));
    EXPECT_EQ(feedback.ranges, std::vector<int>{4});
    EXPECT_EQ(feedback.positions, (std::vector<int>{0, 0, 2, 4, 0}));
    EXPECT_EQ(feedback.messages, std::vector<CString>{L"拼接完成"});
}

TEST_F(PairBatchTest, NamesAddTheStorageStartNumberAndKeepTheExtension)
{
    MakePairs(3);
    para.StorageFileStartNum = 10;
    para.InputFileStartIndex = 2;
    EXPECT_EQ(PairOutputName(para, 2, L"raw"), L"   12.raw");
    ASSERT_TRUE(Run());
    EXPECT_EQ(Names(Dir("out")), std::vector<std::string>{"   12.raw"});
}

TEST_F(PairBatchTest, UnsignedOutputTruncatesAndClamps)
{
    para.InImaPixelType = 1;
    para.OutImaPixelType = 0;
    para.LeftFiles = {WriteRaw(Dir("in") / "l.raw", std::vector<float>{-3.5f, 1.9f, 70000.0f, 65535.0f})};
    para.RightFiles = {WriteRaw(Dir("in") / "r.raw", std::vector<float>{2.5f, 0.0f, 7.0f, 8.0f})};
    ASSERT_TRUE(Run());
    EXPECT_EQ(ReadRawValues<std::uint16_t>(Out(0)), (std::vector<std::uint16_t>{0, 1, 2, 0, 65535, 65535, 7, 8}));
}

TEST_F(PairBatchTest, MemoryDestinationReceivesTheResultsByIndex)
{
    MakePairs(2);
    std::vector<std::vector<float>> pixels(2, std::vector<float>(8, -1.0f));
    std::vector<std::vector<float*>> rows(2);
    std::vector<float**> table;
    for (int k = 0; k < 2; ++k) {
        rows[std::size_t(k)] = {pixels[std::size_t(k)].data(), pixels[std::size_t(k)].data() + 4};
        table.push_back(rows[std::size_t(k)].data());
    }
    para.MemDest = table.data();
    ASSERT_TRUE(Run());
    EXPECT_TRUE(Names(Dir("out")).empty());
    EXPECT_EQ(pixels[1], (std::vector<float>{1, 1, 101, 101, 1, 1, 101, 101}));
}

TEST_F(PairBatchTest, CheckMessagesStopBeforeAnyOutput)
{
    MakePairs(2);
    WriteBytes(plat::toPath(para.RightFiles[1]), "abc");
    EXPECT_FALSE(Run());
    EXPECT_EQ(feedback.messages, std::vector<CString>{L"实际图像偏小"});

    para.LeftFiles.clear();
    para.RightFiles.clear();
    MakePairs(1, "dat");
    EXPECT_FALSE(Run());
    EXPECT_EQ(feedback.messages.back(), L"左右两幅图像的扩展名不一样");

    para.RightFiles.push_back(para.RightFiles[0]);
    EXPECT_FALSE(Run());
    EXPECT_EQ(feedback.messages.back(), L"左右图像个数不一样");

    para.RightFiles.pop_back();
    para.RightFiles[0] = WriteRaw(Dir("in") / "r.raw", std::vector<std::uint16_t>(4, 1));
    para.bUseCalib = 1;
    para.strLightOne = para.strLightTwo = para.strBlackOne = para.LeftFiles[0];
    para.strBlackTwo = W(Dir("in") / "missing.raw");
    EXPECT_FALSE(Run());
    EXPECT_EQ(feedback.messages.back(), L"校正文件不完整");
    EXPECT_TRUE(Names(Dir("out")).empty());
}

TEST_F(PairBatchTest, CancelFlagStopsBeforeTheNextPairWithoutTheCompletionMessage)
{
    MakePairs(4);
    feedback.onPosition = [this](int position) {
        if (position == 1)
            para.CancelFlag = 1;
    };
    EXPECT_FALSE(Run());
    EXPECT_EQ(Names(Dir("out")), (std::vector<std::string>{"    0.raw", "    1.raw"}));
    EXPECT_TRUE(feedback.messages.empty());
}

TEST_F(PairBatchTest, BackgroundBatchResetsTheFlagAndDrivesTheRecordsProgress)
{
    MakePairs(3);
    para.CancelFlag = 1;
    MessageRecorder shown;
    ASSERT_TRUE(gFilesConcatenate(para));
    WaitForSequenceJobs();
    EXPECT_EQ(para.CancelFlag, 0);
    EXPECT_EQ(Names(Dir("out")).size(), 3u);
    para.RightFiles.pop_back();
    EXPECT_FALSE(gFilesConcatenate(para));
    EXPECT_EQ(shown.Texts(), (std::vector<std::wstring>{L"拼接完成", L"左右图像个数不一样"}));
}

TEST_F(PairBatchTest, SinglePairFillsTheBufferAndZeroesWhatTheResultLacks)
{
    MakePairs(1);
    para.ImaThreeW = 5;
    para.ImaThreeH = 3;
    para.LeftCut = 1;
    std::vector<float> out(15, -1.0f);
    ASSERT_TRUE(gFileConcatenate(para, out.data()));
    EXPECT_EQ(out, (std::vector<float>{0, 100, 100, 0, 0, 0, 100, 100, 0, 0, 0, 0, 0, 0, 0}));

    para.LeftFiles.push_back(para.LeftFiles[0]);
    EXPECT_FALSE(gFileConcatenate(para, out.data()));
}

TEST_F(PairBatchTest, SinglePairLoadsTheCalibrationFiles)
{
    MakePairs(1);
    para.bUseCalib = 1;
    // Dark 0; bright 20 left (gain 20, median 20) and 50 right.
    para.strBlackOne = para.strBlackTwo = WriteRaw(Dir("in") / "dark.raw", std::vector<std::uint16_t>(4, 0));
    para.strLightOne = WriteRaw(Dir("in") / "b1.raw", std::vector<std::uint16_t>(4, 20));
    para.strLightTwo = WriteRaw(Dir("in") / "b2.raw", std::vector<std::uint16_t>(4, 50));
    std::vector<float> out(8, -1.0f);
    ASSERT_TRUE(gFileConcatenate(para, out.data()));
    EXPECT_EQ(out, (std::vector<float>{0, 0, 100, 100, 0, 0, 100, 100}));

    std::filesystem::remove(plat::toPath(para.strLightTwo));
    MessageRecorder shown;
    EXPECT_FALSE(gFileConcatenate(para, out.data()));
    EXPECT_EQ(shown.Texts(), std::vector<std::wstring>{L"校正文件不完整"});
}

} // namespace
