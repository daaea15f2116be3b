// Sinograms: one detector row from every projection, read without the rest.
#include "CtTestTools.h"

#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/common/MemoryBudget.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/workbench/Sinogram.h"

using namespace cttest;

namespace {

class SinogramTest : public testing::Test {
protected:
    void SetUp() override
    {
        para.m_width = 512;
        para.m_RowIndex = 10;
        para.m_PixelType = 1;
    }

    // A float projection of 512 x 12 that holds index * 1000 + x in row 10
    // and -1 elsewhere.
    CString Projection(int index, int rows = 12)
    {
        std::vector<float> v(std::size_t(512 * rows), -1.0f);
        for (int x = 0; x < 512 && rows > 10; ++x)
            v[std::size_t(10 * 512 + x)] = float(index * 1000 + x);
        return WriteRaw(Dir() / Numbered("p", index, ".raw"), v);
    }

    tagQEVImaRowDataPara para;
    RecordingFeedback feedback;
};

TEST_F(SinogramTest, ReadsRowTenOfFloatProjectionsFromByte20480)
{
    for (int i = 0; i < 3; ++i)
        para.Files.push_back(Projection(i));
    // Only bytes 20480 .. 22527 matter: a file ending there is enough.
    const std::string whole = ReadBytes(plat::toPath(para.Files[2]));
    WriteBytes(plat::toPath(para.Files[2]), whole.substr(0, 22528));
    SequenceJob job(feedback);
    ClassData2DIO<float> sinogram;
    ASSERT_TRUE(ExtractSinogram(para, sinogram, job));
    ASSERT_EQ(sinogram.width, 512);
    ASSERT_EQ(sinogram.height, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sinogram.rows[i][0], float(i * 1000));
        EXPECT_EQ(sinogram.rows[i][511], float(i * 1000 + 511));
    }
    EXPECT_EQ(feedback.ranges, std::vector<int>{3});
    EXPECT_TRUE(feedback.messages.empty());
}

TEST_F(SinogramTest, UnsignedRowsAndZeroRowsForMissingOrShortFiles)
{
    para.m_width = 3;
    para.m_RowIndex = 1;
    para.m_PixelType = 0;
    para.Files = {WriteRaw(Dir() / "a.raw", std::vector<std::uint16_t>{1, 2, 3, 4, 5, 6}), W(Dir() / "none.raw"),
                  WriteRaw(Dir() / "c.raw", std::vector<std::uint16_t>{7, 8, 9, 10, 11}),
                  WriteRaw(Dir() / "d.raw", std::vector<std::uint16_t>{0, 0, 0, 60000, 2, 1})};
    SequenceJob job(feedback);
    ClassData2DIO<float> sinogram;
    EXPECT_FALSE(ExtractSinogram(para, sinogram, job));
    ASSERT_EQ(sinogram.height, 4);
    EXPECT_EQ(std::vector<float>(sinogram.data, sinogram.data + 12),
              (std::vector<float>{4, 5, 6, 0, 0, 0, 0, 0, 0, 60000, 2, 1}));
    EXPECT_EQ(feedback.messages, std::vector<CString>{L"以下文件不存在或长度不足，正弦图中为零行：\n" + para.Files[1]
                                                      + L"\n" + para.Files[2]});
}

TEST_F(SinogramTest, ASinogramOverTheMemoryIsRefusedBeforeAnyFileIsRead)
{
    para.m_width = 1000000;
    para.Files = {Projection(0), Projection(1), Projection(2)};
    MemoryBudget::SetAvailableForTesting(8 << 20);
    SequenceJob job(feedback);
    ClassData2DIO<float> sinogram;
    const bool extracted = ExtractSinogram(para, sinogram, job);
    MemoryBudget::SetAvailableForTesting(0);
    EXPECT_FALSE(extracted);
    EXPECT_TRUE(sinogram.IsEmpty());
    EXPECT_TRUE(feedback.ranges.empty());
    EXPECT_EQ(feedback.messages, std::vector<CString>{L"图像需要约 12 MB 内存，可用 8 MB"});
}

TEST_F(SinogramTest, FewerThanTwoFilesDoNothing)
{
    para.Files = {Projection(0)};
    SequenceJob job(feedback);
    ClassData2DIO<float> sinogram;
    EXPECT_FALSE(ExtractSinogram(para, sinogram, job));
    EXPECT_TRUE(sinogram.IsEmpty());
    EXPECT_FALSE(gExtractSinogram(para));
}

TEST_F(SinogramTest, WorkerShowsTheSinogramInCanvasFourOnTheInterfaceThread)
{
    for (int i = 0; i < 4; ++i)
        para.Files.push_back(Projection(i));
    para.Files.push_back(W(Dir() / "lost.raw"));
    MessageRecorder shown;
    ASSERT_TRUE(gExtractSinogram(para));
    WaitForSequenceJobs();
    const ClassData2DIO<float>& ori = gCVSGetRawOri(4);
    ASSERT_EQ(ori.width, 512);
    ASSERT_EQ(ori.height, 5);
    EXPECT_EQ(ori.rows[3][7], 3007.0f);
    EXPECT_EQ(ori.rows[4][7], 0.0f);
    EXPECT_EQ(shown.Texts().size(), 1u);
}

} // namespace
