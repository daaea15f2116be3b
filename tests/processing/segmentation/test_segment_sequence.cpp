// The two sequence commands: files written, files skipped, and what is said.
#include "MessageBoxLog.h"
#include "TestHome.h"

#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/CommandIds.h"
#include "pixorama/workbench/SegmentSequence.h"
#include "pixorama/workbench/SequenceOps.h"

#include "pixorama/common/BitmapFile.h"
#include "pixorama/parlet/DialogScript.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"

#include <QDialog>
#include <QImage>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class SequenceTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder = TestHome::path() / "序列";
        fs::create_directories(folder);
        RecordMessageBoxes(messages);
        SetSequenceFileSource([this] { return files; });
    }

    void TearDown() override
    {
        SetSequenceFileSource({});
        plat::setMessageBoxResponder({});
        plat::setDialogHook({});
    }

    // A grey bitmap with two flat halves (dark left, bright right).
    std::wstring AddBitmap(const std::string& name)
    {
        ClassData2DIO<unsigned char> grey;
        grey.SetDim(24, 10);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 24; ++x)
                grey.rows[y][x] = x < 12 ? 30 : 180;
        const fs::path path = folder / name;
        EXPECT_TRUE(QEVSaveGrayBmp(path.string().c_str(), grey));
        files.push_back(plat::fromPath(path));
        return files.back();
    }

    std::wstring AddFile(const std::string& name, const std::string& bytes)
    {
        const fs::path path = folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        files.push_back(plat::fromPath(path));
        return files.back();
    }

    // width x height unsigned 16-bit values, little-endian, after a 4-byte header.
    std::wstring AddRaw(const std::string& name, const std::vector<std::uint16_t>& values)
    {
        std::string bytes = "HEAD";
        for (std::uint16_t v : values) {
            bytes += char(v & 0xFF);
            bytes += char(v >> 8);
        }
        return AddFile(name, bytes);
    }

    static void AnswerRawShape(int w, int h, int header)
    {
        plat::setDialogHook([w, h, header](QDialog& dialog) {
            DialogDriver d(dialog);
            d.SetText(L"InImaW", std::to_wstring(w));
            d.SetText(L"InImaH", std::to_wstring(h));
            d.SetText(L"skipBytes", std::to_wstring(header));
            d.PressOk();
        });
    }

    fs::path folder;
    std::vector<std::wstring> files;
    std::vector<std::wstring> messages;
};

} // namespace

TEST(SequenceNames, NumberedFromTheirFirstNumbers)
{
    EXPECT_EQ(SegmentedFileName(0), L"seg_dis_20000.bmp");
    EXPECT_EQ(SegmentedFileName(17), L"seg_dis_20017.bmp");
    EXPECT_EQ(SupplementFileName(0), L"10336.bmp");
    EXPECT_EQ(SupplementFileName(5), L"10341.bmp");
}

TEST(SequenceNames, SixteenBitMapRunsBetweenTheTwoFractions)
{
    EXPECT_EQ(SupplementMap(0), 0);
    EXPECT_EQ(SupplementMap(13500), 0);     // just below 0.206 x 65535
    EXPECT_EQ(SupplementMap(13501), 0);
    EXPECT_EQ(SupplementMap(20152), 127);   // half way
    EXPECT_EQ(SupplementMap(26804), 255);   // just above 0.409 x 65535
    EXPECT_EQ(SupplementMap(65535), 255);
}

TEST_F(SequenceTest, SegmentationWritesNumberedResultsAndCountsWhatItSkipped)
{
    AddBitmap("a.bmp");
    AddFile("broken.bmp", "BM not really a bitmap");
    AddBitmap("c.bmp");
    AddBitmap("d.bmp");
    // An output name taken by a folder cannot be written.
    fs::create_directories(folder / "分水岭结果" / "seg_dis_20003.bmp");
    RunSegmentCommand(ID_SEGMENT_SEQUENCE);

    const fs::path out = folder / "分水岭结果";
    EXPECT_TRUE(fs::is_regular_file(out / "seg_dis_20000.bmp"));
    EXPECT_FALSE(fs::exists(out / "seg_dis_20001.bmp"));
    EXPECT_TRUE(fs::is_regular_file(out / "seg_dis_20002.bmp"));
    EXPECT_TRUE(fs::is_directory(out / "seg_dis_20003.bmp"));
    EXPECT_EQ(messages, std::vector<std::wstring>{L"完成：写出 2 个文件，跳过 2 个无法读取或写入的文件"});

    // The picture in grey, the border between the halves in red.
    ClassData2DIO<unsigned char> r, g, b, a;
    ASSERT_TRUE(QEVReadColorBmp((out / "seg_dis_20000.bmp").string().c_str(), &r, &g, &b, &a));
    ASSERT_EQ(r.width, 24);
    ASSERT_EQ(r.height, 10);
    EXPECT_EQ(r.rows[5][2], 30);
    EXPECT_EQ(g.rows[5][2], 30);
    EXPECT_EQ(b.rows[5][22], 180);
    int redPixels = 0;
    for (int x = 0; x < 24; ++x)
        redPixels += r.rows[5][x] == 255 && g.rows[5][x] == 0 && b.rows[5][x] == 0;
    EXPECT_EQ(redPixels, 1);
}

TEST_F(SequenceTest, OutputFolderThatCannotBeMadeIsSaid)
{
    AddBitmap("a.bmp");
    std::ofstream(folder / "分水岭结果") << "a file where the folder should go";
    RunSegmentCommand(ID_SEGMENT_SEQUENCE);
    EXPECT_EQ(messages, std::vector<std::wstring>{L"无法创建输出文件夹"});
}

TEST_F(SequenceTest, AnEmptySequenceIsSaid)
{
    RunSegmentCommand(ID_SEGMENT_SEQUENCE);
    RunSegmentCommand(ID_SEGMENT_FINISH);
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"没有序列图像", L"没有序列图像"}));
}

TEST_F(SequenceTest, SupplementMapsRawFramesToNumberedBitmaps)
{
    AddRaw("f0.raw", {0, 13500, 20152, 26804, 65535, 40000});
    AddRaw("short.raw", {1, 2, 3});
    AddRaw("f2.raw", {65535, 65535, 65535, 0, 0, 0});
    AnswerRawShape(3, 2, 4);
    RunSegmentCommand(ID_SEGMENT_FINISH);
    EXPECT_EQ(messages, std::vector<std::wstring>{L"完成：写出 2 个文件，跳过 1 个无法读取或写入的文件"});

    const fs::path out = folder / "补充";
    EXPECT_FALSE(fs::exists(out / "10337.bmp"));
    QImage first(QString::fromStdWString(plat::fromPath(out / "10336.bmp")));
    ASSERT_FALSE(first.isNull());
    ASSERT_EQ(first.width(), 3);
    ASSERT_EQ(first.height(), 2);
    EXPECT_EQ(qRed(first.pixel(0, 0)), 0);
    EXPECT_EQ(qRed(first.pixel(2, 0)), 127);
    EXPECT_EQ(qGreen(first.pixel(0, 1)), 255);
    EXPECT_EQ(qBlue(first.pixel(2, 1)), 255);
    QImage third(QString::fromStdWString(plat::fromPath(out / "10338.bmp")));
    ASSERT_FALSE(third.isNull());
    EXPECT_EQ(qRed(third.pixel(0, 0)), 255);
    EXPECT_EQ(qRed(third.pixel(0, 1)), 0);
}

TEST_F(SequenceTest, SupplementCancelledWritesNothing)
{
    AddRaw("f0.raw", {0, 1, 2, 3, 4, 5});
    plat::setDialogHook([](QDialog& dialog) { DialogDriver(dialog).PressCancel(); });
    RunSegmentCommand(ID_SEGMENT_FINISH);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(fs::exists(folder / "补充"));
}
