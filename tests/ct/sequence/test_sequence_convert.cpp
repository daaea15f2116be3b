// "格式转化": which files are converted, under which names, with which bytes.
#include "CtTestTools.h"

#include "pixorama/common/BitmapFile.h"
#include "pixorama/workbench/SequenceOps.h"

#include <QImage>

#include <climits>

using namespace cttest;

namespace {

class ConvertTest : public testing::Test {
protected:
    // n files of 4 x 2 unsigned 16-bit values, file i holding i * 100 + pixel.
    void MakeSequence(int n, bool bigEndian = false)
    {
        for (int i = 0; i < n; ++i) {
            std::vector<std::uint16_t> v(8);
            for (int p = 0; p < 8; ++p)
                v[std::size_t(p)] = std::uint16_t(i * 100 + p);
            para.Files.push_back(WriteRaw(Dir("in") / Numbered("f", i, ".raw"), v, bigEndian));
        }
    }

    void SetUp() override
    {
        LittleEndianInput(para, 4, 2);
        para.OutImaW = 4;
        para.OutImaH = 2;
        para.OutImaStep = 1;
        para.OutDir = W(Dir("out"));
    }

    bool Convert()
    {
        SequenceJob job(feedback);
        return ConvertSequence(para, options, job);
    }

    std::filesystem::path Out(const std::string& name) const { return TestHome::path() / "data" / "out" / name; }

    tagQEVImaFormatPara para;
    ConvertOptions options;
    RecordingFeedback feedback;
};

TEST_F(ConvertTest, StepThreeOverTenFilesConvertsEveryThirdUnderConsecutiveNumbers)
{
    MakeSequence(10);
    para.OutImaStep = 3;
    para.OutImaPixelType = 0;
    ASSERT_TRUE(Convert());
    EXPECT_EQ(Names(Dir("out")),
              (std::vector<std::string>{"US_10000.raw", "US_10001.raw", "US_10002.raw", "US_10003.raw"}));
    for (int m = 0; m < 4; ++m) {
        const auto values = ReadRawValues<std::uint16_t>(Out(Numbered("US_1000", m, ".raw")));
        ASSERT_EQ(values.size(), 8u);
        EXPECT_EQ(values[0], 3 * m * 100) << "number " << m;
        EXPECT_EQ(values[7], 3 * m * 100 + 7);
    }
    EXPECT_EQ(feedback.ranges, std::vector<int>{10});
    EXPECT_EQ(feedback.positions, (std::vector<int>{0, 0, 3, 6, 9, 0}));
    EXPECT_TRUE(feedback.messages.empty());
}

TEST_F(ConvertTest, RawOutputsMapLinearlyAndClampUnsignedValues)
{
    const std::vector<float> in = {-5.0f, 0.0f, 10.0f, 20.0f, 70000.0f, 1.9f, 65535.5f, 30.0f};
    para.Files = {WriteRaw(Dir("in") / "a.raw", in)};
    para.InImaPixelType = 1;
    para.OutImaPixelType = 0;
    ASSERT_TRUE(Convert());
    EXPECT_EQ(ReadRawValues<std::uint16_t>(Out("US_10000.raw")),
              (std::vector<std::uint16_t>{0, 0, 10, 20, 65535, 1, 65535, 30}));

    para.OutImaPixelType = 1;
    para.bUseMapRange = 1;
    para.MapRangeLowIn = 0;
    para.MapRangeHighIn = 20;
    para.MapRangeLowOut = 100;
    para.MapRangeHighOut = 200;
    ASSERT_TRUE(Convert());
    EXPECT_EQ(ReadRawValues<float>(Out("FLT_10000.raw")),
              (std::vector<float>{100, 100, 150, 200, 200, 109.5f, 200, 200}));
}

TEST_F(ConvertTest, EightBitNamesFollowTheMappingAndTheProcessingKind)
{
    MakeSequence(1);
    struct Case {
        int type, mapping, ip;
        const char* name;
    };
    options.enhance = [](const ClassData2DIO<float>& p, ClassData2DIO<unsigned char>& out) {
        out.SetDim(p.width, p.height);
        return true;
    };
    for (const Case c : {Case{2, 1, 0, "LUTMAP__10000.bmp"}, Case{3, 1, 0, "LUTMAP__10000.jpg"},
                         Case{2, 0, 0, "DISLUTMAP__10000.bmp"}, Case{3, 0, 0, "DISLUTMAP__10000.jpg"},
                         Case{2, 0, 1, "DetailEnhance__10000.bmp"}, Case{3, 0, 2, "InvDetailEnhance__10000.jpg"}}) {
        para.OutImaPixelType = c.type;
        para.bUseMapRange = c.mapping;
        para.OutImaIPType = c.ip;
        para.MapRangeHighIn = 10;
        EXPECT_TRUE(Convert()) << c.name;
        EXPECT_TRUE(std::filesystem::exists(Out(c.name))) << c.name;
        EXPECT_EQ(ConvertOutputName(para, 10000), plat::toWide(c.name));
        EXPECT_FALSE(QImage(QString::fromStdString(Out(c.name).string())).isNull()) << c.name;
    }
}

TEST_F(ConvertTest, DisplayWindowMapsTheStretchedPictureToBytes)
{
    // 0 .. 7 stretched to 0 .. 65535; the window 0.25 .. 0.75 then to 0 .. 255.
    para.Files = {WriteRaw(Dir("in") / "a.raw", std::vector<std::uint16_t>{0, 1, 2, 3, 4, 5, 6, 7})};
    para.OutImaPixelType = 2;
    options.window = {0.25f, 0.75f};
    ASSERT_TRUE(Convert());
    QImage picture(QString::fromStdString(Out("DISLUTMAP__10000.bmp").string()));
    ASSERT_EQ(picture.size(), QSize(4, 2));
    std::vector<int> grey;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            grey.push_back(qRed(picture.pixel(x, y)));
    // v * 65535 / 7, window [16383.75, 49151.25] -> (s - 16383.75) * 255 / 32767.5
    EXPECT_EQ(grey, (std::vector<int>{0, 0, 18, 91, 163, 236, 255, 255}));
}

TEST_F(ConvertTest, EightBitMappingRaisesAndLowersTheOutputRangeInTheRecord)
{
    para.Files = {WriteRaw(Dir("in") / "a.raw", std::vector<std::uint16_t>{0, 50, 100, 150, 200, 250, 300, 400})};
    para.OutImaPixelType = 2;
    para.bUseMapRange = 1;
    para.MapRangeLowIn = 0;
    para.MapRangeHighIn = 300;
    para.MapRangeLowOut = -20;
    para.MapRangeHighOut = 300;
    ASSERT_TRUE(Convert());
    EXPECT_EQ(para.MapRangeHighOut, 255.0f);
    EXPECT_EQ(para.MapRangeLowOut, 0.0f);
    QImage picture(QString::fromStdString(Out("LUTMAP__10000.bmp").string()));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(qRed(picture.pixel(0, 0)), 0);
    EXPECT_EQ(qRed(picture.pixel(1, 0)), 42);  // 50 * 255 / 300 = 42.5
    EXPECT_EQ(qRed(picture.pixel(2, 1)), 255); // 300 and above
}

TEST_F(ConvertTest, MissingOrShortFileWritesNothingUnderItsNumberAndIsReported)
{
    MakeSequence(4);
    std::filesystem::remove(plat::toPath(para.Files[1]));
    WriteBytes(plat::toPath(para.Files[2]), std::string(15, '\1'));
    para.OutImaPixelType = 0;
    EXPECT_FALSE(Convert());
    EXPECT_EQ(Names(Dir("out")), (std::vector<std::string>{"US_10000.raw", "US_10003.raw"}));
    EXPECT_EQ(ReadRawValues<std::uint16_t>(Out("US_10003.raw"))[0], 300);
    ASSERT_EQ(feedback.messages.size(), 2u);
    EXPECT_EQ(feedback.messages[0], L"文件不存在，未输出：\n" + para.Files[1]);
    EXPECT_EQ(feedback.messages[1], L"文件长度不足，未输出：\n" + para.Files[2]);
}

TEST_F(ConvertTest, OutputsThatCannotBeWrittenAreCountedAtTheEnd)
{
    MakeSequence(3);
    para.OutDir = W(TestHome::path() / "no" / "such" / "folder");
    para.OutImaPixelType = 1;
    EXPECT_FALSE(Convert());
    ASSERT_EQ(feedback.messages.size(), 1u);
    EXPECT_EQ(feedback.messages[0].rfind(L"3 个输出文件无法写入：\n", 0), 0u);
}

TEST_F(ConvertTest, LittleEndianBoxDecidesTheByteOrderOfTheFiles)
{
    MakeSequence(1, true);
    para.OutImaPixelType = 1;
    para.bLittleEndian = 0;
    ASSERT_TRUE(Convert());
    para.bLittleEndian = 1;
    // The output is written in the order the box names, so it reads back.
    const std::string bytes = ReadBytes(Out("FLT_10000.raw"));
    EXPECT_EQ(bytes, Bytes(std::vector<float>{0, 1, 2, 3, 4, 5, 6, 7}, true));
}

TEST_F(ConvertTest, RefusalsComeWithTheirMessages)
{
    EXPECT_FALSE(Convert());
    EXPECT_EQ(feedback.messages, std::vector<CString>{L"没有序列图像"});
    MakeSequence(2);
    para.OutDir = L"NULL";
    EXPECT_FALSE(Convert());
    EXPECT_EQ(feedback.messages.back(), L"没有选择文件保存目录");
    para.OutDir = W(Dir("out"));
    para.OutImaPixelType = 2;
    para.OutImaIPType = 1;
    EXPECT_FALSE(Convert());
    EXPECT_EQ(feedback.messages.back(), L"细节增强不可用");
    EXPECT_TRUE(Names(Dir("out")).empty());
}

TEST_F(ConvertTest, DetailKindsHandTheResampledOrInvertedPictureToTheEnhancer)
{
    MakeSequence(1);
    para.OutImaW = 2;
    para.OutImaH = 1;
    para.OutImaPixelType = 2;
    std::vector<std::vector<float>> seen;
    options.enhance = [&](const ClassData2DIO<float>& p, ClassData2DIO<unsigned char>& out) {
        seen.emplace_back(p.data, p.data + p.width * p.height);
        out.SetDim(p.width, p.height);
        return true;
    };
    para.OutImaIPType = 1;
    ASSERT_TRUE(Convert());
    para.OutImaIPType = 2;
    ASSERT_TRUE(Convert());
    ASSERT_EQ(seen.size(), 2u);
    // 2 x 1 samples of the 4 x 2 picture at (0, 0) and (2, 0).
    EXPECT_EQ(seen[0], (std::vector<float>{0, 2}));
    EXPECT_EQ(seen[1], (std::vector<float>{2, 0}));
}

TEST_F(ConvertTest, RangeSliceKeepsTheNumbersOfTheWholeRun)
{
    MakeSequence(10);
    para.OutImaPixelType = 0;
    options.useRange = true;
    options.range = {4, 9, 2};
    ASSERT_TRUE(Convert());
    // Indices 4, 6, 8 are numbers 2, 3, 4 of a step-2 run over all ten.
    EXPECT_EQ(Names(Dir("out")), (std::vector<std::string>{"US_10002.raw", "US_10003.raw", "US_10004.raw"}));
    EXPECT_EQ(ReadRawValues<std::uint16_t>(Out("US_10003.raw"))[0], 600);

    // A step at the end of int: index 0 alone, and no multiple of it after 1.
    for (const auto& [first, written] : {std::pair<int, std::size_t>{0, 1}, {1, 0}}) {
        std::filesystem::remove_all(Dir("out"));
        para.OutDir = W(Dir("out"));
        options.range = {first, 10, INT_MAX};
        Convert();
        EXPECT_EQ(Names(Dir("out")).size(), written) << first;
    }
}

TEST_F(ConvertTest, CancelStopsBeforeTheNextFileAndKeepsWhatWasWritten)
{
    MakeSequence(5);
    para.OutImaPixelType = 0;
    SequenceJob job(feedback);
    feedback.onPosition = [&](int position) {
        if (position == 1)
            job.Cancel();
    };
    EXPECT_FALSE(ConvertSequence(para, options, job));
    EXPECT_EQ(Names(Dir("out")), (std::vector<std::string>{"US_10000.raw", "US_10001.raw"}));
    EXPECT_EQ(ReadRawValues<std::uint16_t>(Out("US_10001.raw")).size(), 8u);
}

} // namespace
