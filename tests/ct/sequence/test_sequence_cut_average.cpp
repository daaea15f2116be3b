// "序列图像剪切" and "序列图像相加" over small raw sequences.
#include "CtTestTools.h"

#include "pixorama/workbench/SequenceOps.h"

using namespace cttest;

namespace {

std::vector<std::uint16_t> Frame(int base)
{
    // 4 x 3, value base + 10 * row + column.
    std::vector<std::uint16_t> v;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            v.push_back(std::uint16_t(base + 10 * y + x));
    return v;
}

class SequenceTest : public testing::Test {
protected:
    void SetUp() override
    {
        LittleEndianInput(load, 4, 3);
        rect.m_RectLeft = 1;
        rect.m_RectRight = 2;
        rect.m_RectTop = 1;
        rect.m_RectBottom = 2;
    }

    std::vector<CString> Files(int n, const std::string& stem = "f")
    {
        std::vector<CString> files;
        for (int i = 0; i < n; ++i)
            files.push_back(WriteRaw(Dir() / Numbered(stem.c_str(), i, ".raw"), Frame(100 * i)));
        return files;
    }

    bool Cut(const std::vector<CString>& files, IndexRange range = {})
    {
        SequenceJob job(feedback);
        return CutSequence(files, load, rect, range, job);
    }

    tagQEVImaLoadPara load;
    tagQEVImaROIRectPara rect;
    RecordingFeedback feedback;
};

TEST_F(SequenceTest, CutWritesTheRectangleBesideEachInputInItsPixelType)
{
    const auto files = Files(2);
    ASSERT_TRUE(Cut(files));
    EXPECT_EQ(ReadRawValues<std::uint16_t>(Dir() / "10000.raw"), (std::vector<std::uint16_t>{11, 12, 21, 22}));
    EXPECT_EQ(ReadRawValues<std::uint16_t>(Dir() / "10001.raw"), (std::vector<std::uint16_t>{111, 112, 121, 122}));
    EXPECT_EQ(feedback.ranges, std::vector<int>{1});
    EXPECT_EQ(feedback.positions, (std::vector<int>{0, 0, 1, 0}));

    load.InImaPixelType = 1;
    const CString f = WriteRaw(Dir("float") / "a.raw", std::vector<float>(12, 2.5f));
    ASSERT_TRUE(Cut({f}));
    EXPECT_EQ(ReadRawValues<float>(Dir("float") / "10000.raw"), std::vector<float>(4, 2.5f));
}

TEST_F(SequenceTest, CutNeverReplacesAnInputItHasNotReadYet)
{
    // The outputs 10001.raw and 10002.raw are names of inputs 2 and 0.
    std::vector<CString> files = {WriteRaw(Dir() / "10002.raw", Frame(0)), WriteRaw(Dir() / "a.raw", Frame(100)),
                                  WriteRaw(Dir() / "10001.raw", Frame(200))};
    ASSERT_TRUE(Cut(files));
    // Input 2 was read as it was before output 1 replaced it.
    EXPECT_EQ(ReadRawValues<std::uint16_t>(Dir() / "10002.raw"), (std::vector<std::uint16_t>{211, 212, 221, 222}));
    EXPECT_EQ(ReadRawValues<std::uint16_t>(Dir() / "10001.raw"), (std::vector<std::uint16_t>{111, 112, 121, 122}));
    EXPECT_EQ(ReadRawValues<std::uint16_t>(Dir() / "10000.raw"), (std::vector<std::uint16_t>{11, 12, 21, 22}));
    EXPECT_TRUE(feedback.messages.empty());
}

TEST_F(SequenceTest, CutSliceLeavesOtherSlicesInputsAlone)
{
    // Output of index 0 would replace input 1, which only another slice reads.
    std::vector<CString> files = {WriteRaw(Dir() / "a.raw", Frame(0)), WriteRaw(Dir() / "10000.raw", Frame(100)),
                                  WriteRaw(Dir() / "c.raw", Frame(200))};
    EXPECT_FALSE(Cut(files, IndexRange{0, 3, 2}));
    EXPECT_EQ(ReadRawValues<std::uint16_t>(Dir() / "10000.raw"), Frame(100));
    EXPECT_EQ(ReadRawValues<std::uint16_t>(Dir() / "10002.raw"), (std::vector<std::uint16_t>{211, 212, 221, 222}));
    ASSERT_EQ(feedback.messages.size(), 1u);
    EXPECT_EQ(feedback.messages[0].rfind(L"1 个输出文件无法写入：", 0), 0u);
}

TEST_F(SequenceTest, CutReportsUnreadableFilesAndGoesOn)
{
    auto files = Files(3);
    std::filesystem::remove(plat::toPath(files[1]));
    EXPECT_FALSE(Cut(files));
    EXPECT_EQ(Names(Dir()), (std::vector<std::string>{"10000.raw", "10002.raw", "f0.raw", "f2.raw"}));
    EXPECT_EQ(feedback.messages, std::vector<CString>{L"文件不存在或长度不足，未剪切：\n" + files[1]});
}

TEST_F(SequenceTest, OneFileIsCutAndRefusedByAveraging)
{
    const auto files = Files(1);
    EXPECT_TRUE(Cut(files));
    EXPECT_TRUE(std::filesystem::exists(Dir() / "10000.raw"));
    SequenceJob job(feedback);
    ClassData2DIO<float> mean;
    EXPECT_FALSE(AverageSequence(files, load, mean, job));
    EXPECT_TRUE(mean.IsEmpty());
    EXPECT_EQ(feedback.messages, std::vector<CString>{L"没有两个以上的图像"});
}

TEST_F(SequenceTest, AverageDividesByTheFilesReadAndNamesTheOthers)
{
    auto files = Files(4);
    WriteBytes(plat::toPath(files[3]), "short");
    files.insert(files.begin() + 1, W(Dir() / "gone.raw"));
    SequenceJob job(feedback);
    ClassData2DIO<float> mean;
    EXPECT_FALSE(AverageSequence(files, load, mean, job));
    ASSERT_EQ(mean.width, 4);
    ASSERT_EQ(mean.height, 3);
    // Files 0, 1, 2 hold base 0, 100, 200: mean base 100.
    EXPECT_EQ(mean.rows[0][0], 100.0f);
    EXPECT_EQ(mean.rows[2][3], 123.0f);
    EXPECT_EQ(feedback.messages,
              std::vector<CString>{L"以下文件未能读取，未计入平均：\n" + files[1] + L"\n" + files[4]});
}

TEST_F(SequenceTest, AverageHonoursTheByteOrderBox)
{
    const std::vector<CString> files = {WriteRaw(Dir() / "a.raw", Frame(256), true),
                                        WriteRaw(Dir() / "b.raw", Frame(512), true)};
    load.bLittleEndian = 0;
    SequenceJob job(feedback);
    ClassData2DIO<float> mean;
    EXPECT_TRUE(AverageSequence(files, load, mean, job));
    EXPECT_EQ(mean.rows[0][0], 384.0f);
    EXPECT_EQ(mean.rows[1][1], 395.0f);
}

TEST_F(SequenceTest, LinearMapLeavesDegenerateRangesAlone)
{
    ClassData2DIO<float> p;
    p.SetDim(3, 1);
    p.rows[0][0] = 1;
    p.rows[0][1] = 5;
    p.rows[0][2] = 9;
    LinearMap(p, 2, 2, 0, 10);
    EXPECT_EQ(p.rows[0][1], 5.0f);
    LinearMap(p, 0, 10, 3, 3);
    EXPECT_EQ(p.rows[0][1], 5.0f);
    LinearMap(p, 1, 9, 0, 100);
    EXPECT_EQ(std::vector<float>(p.data, p.data + 3), (std::vector<float>{0, 50, 100}));
}

} // namespace
