#include "FileIoTestTools.h"

#include "pixorama/common/BitmapFile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace fileio_test;

namespace {

using Plane = ClassData2DIO<unsigned char>;

TEST(BitmapWrite, GreyBitmapHasTheFullHeaderPaletteAndPaddedRows)
{
    Plane grey;
    fillImage<unsigned char>(grey, 3, 2, {10, 20, 30, 40, 50, 60});
    const std::string path = homeFile("grey.bmp");
    ASSERT_TRUE(QEVSaveGrayBmp(path.c_str(), grey));

    const std::vector<unsigned char> b = readBytes(path);
    ASSERT_EQ(b.size(), 1086u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le32(b, 2), 1086u);
    EXPECT_EQ(le32(b, 6), 0u);
    EXPECT_EQ(le32(b, 10), 1078u);
    EXPECT_EQ(le32(b, 14), 40u);
    EXPECT_EQ(le32(b, 18), 3u);
    EXPECT_EQ(le32(b, 22), 2u);
    EXPECT_EQ(le16(b, 26), 1u);
    EXPECT_EQ(le16(b, 28), 8u);
    EXPECT_EQ(le32(b, 30), 0u);
    EXPECT_EQ(le32(b, 34), 8u);
    EXPECT_EQ(le32(b, 38), 47244u);
    EXPECT_EQ(le32(b, 42), 47244u);
    EXPECT_EQ(le32(b, 46), 0u);
    EXPECT_EQ(le32(b, 50), 0u);
    for (int i = 0; i < 256; ++i) {
        const std::size_t at = 54 + 4 * std::size_t(i);
        ASSERT_EQ(b[at], i);
        ASSERT_EQ(b[at + 1], i);
        ASSERT_EQ(b[at + 2], i);
        ASSERT_EQ(b[at + 3], 0);
    }
    // Container row 0 is the first row in the file; one zero pad byte per row.
    const std::vector<unsigned char> rows(b.begin() + 1078, b.end());
    EXPECT_EQ(rows, (std::vector<unsigned char>{10, 20, 30, 0, 40, 50, 60, 0}));
}

TEST(BitmapWrite, ColourBitmapFiveWideHasStrideSixteenInBlueGreenRedOrder)
{
    Plane r, g, b;
    fillImage<unsigned char>(r, 5, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    fillImage<unsigned char>(g, 5, 2, {11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
    fillImage<unsigned char>(b, 5, 2, {21, 22, 23, 24, 25, 26, 27, 28, 29, 30});
    const std::string path = homeFile("colour.bmp");
    ASSERT_TRUE(QEVSaveColorBmp(path.c_str(), &r, &g, &b));

    const std::vector<unsigned char> bytes = readBytes(path);
    ASSERT_EQ(bytes.size(), 54u + 2 * 16);
    EXPECT_EQ(le32(bytes, 2), 86u);
    EXPECT_EQ(le32(bytes, 10), 54u);
    EXPECT_EQ(le32(bytes, 14), 40u);
    EXPECT_EQ(le32(bytes, 18), 5u);
    EXPECT_EQ(le32(bytes, 22), 2u);
    EXPECT_EQ(le16(bytes, 28), 24u);
    EXPECT_EQ(le32(bytes, 34), 32u);
    EXPECT_EQ(le32(bytes, 38), 0u);
    EXPECT_EQ(le32(bytes, 42), 0u);
    const std::vector<unsigned char> row0(bytes.begin() + 54, bytes.begin() + 70);
    EXPECT_EQ(row0, (std::vector<unsigned char>{21, 11, 1, 22, 12, 2, 23, 13, 3, 24, 14, 4, 25, 15, 5, 0}));
    EXPECT_EQ(bytes[70], 26);
    EXPECT_EQ(bytes[71], 16);
    EXPECT_EQ(bytes[72], 6);
    EXPECT_EQ(bytes[85], 0);
}

TEST(BitmapWrite, RgbaPixelsWriteBytesZeroOneTwoAndIgnoreAlpha)
{
    ClassData2DIO<tagStructRGBA> image;
    image.SetDim(2, 1);
    image.rows[0][0] = {1, 2, 3, 200};
    image.rows[0][1] = {4, 5, 6, 201};
    const std::string path = homeFile("rgba.bmp");
    ASSERT_TRUE(QEVSaveColorBmp(path.c_str(), &image));
    const std::vector<unsigned char> bytes = readBytes(path);
    ASSERT_EQ(bytes.size(), 54u + 8);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 54, bytes.end()),
              (std::vector<unsigned char>{1, 2, 3, 4, 5, 6, 0, 0}));
}

TEST(BitmapWrite, RefusesPlanesOfDifferentSizesAndUnwritablePaths)
{
    Plane r, g, b;
    r.SetDim(4, 3);
    g.SetDim(4, 3);
    b.SetDim(3, 3);
    const std::string path = homeFile("mismatch.bmp");
    EXPECT_FALSE(QEVSaveColorBmp(path.c_str(), &r, &g, &b));
    EXPECT_FALSE(std::filesystem::exists(path));

    const std::string nowhere = homeFile("no-such-folder/x.bmp");
    EXPECT_FALSE(QEVSaveGrayBmp(nowhere.c_str(), r));
    EXPECT_FALSE(QEVSaveColorBmp(nowhere.c_str(), &r, &g, &g));
}

TEST(BitmapWrite, LargeGreyImageSpansSeveralWriteChunks)
{
    // 1500 rows of stride 1000 cross the writer's one-megabyte chunks.
    Plane grey;
    grey.SetDim(997, 1500);
    for (int y = 0; y < grey.height; ++y)
        for (int x = 0; x < grey.width; ++x)
            grey.rows[y][x] = static_cast<unsigned char>(x * 7 + y * 13);
    const std::string path = homeFile("large.bmp");
    ASSERT_TRUE(QEVSaveGrayBmp(path.c_str(), grey));
    const std::vector<unsigned char> bytes = readBytes(path);
    ASSERT_EQ(bytes.size(), 1078u + 1000u * 1500u);
    for (int y : {0, 1, 1048, 1049, 1499}) {
        const std::size_t row = 1078 + std::size_t(y) * 1000;
        EXPECT_EQ(bytes[row], static_cast<unsigned char>(y * 13)) << y;
        EXPECT_EQ(bytes[row + 996], static_cast<unsigned char>(996 * 7 + y * 13)) << y;
        EXPECT_EQ(bytes[row + 997] | bytes[row + 998] | bytes[row + 999], 0) << y;
    }
}

} // namespace
