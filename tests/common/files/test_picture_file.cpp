#include "FileIoTestTools.h"

#include "pixorama/common/PictureFile.h"
#include "pixorama/platform/Strings.h"

#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>

using namespace fileio_test;

namespace {

ClassData2DIO<unsigned char> gradient()
{
    ClassData2DIO<unsigned char> grey;
    grey.SetDim(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            grey.rows[y][x] = static_cast<unsigned char>(y * 80 + x * 10);
    return grey;
}

void expectPictureMatches(const std::string& path, const ClassData2DIO<unsigned char>& grey)
{
    CImage picture;
    ASSERT_TRUE(picture.load(plat::toWide(path))) << path;
    ASSERT_EQ(picture.width(), grey.width);
    ASSERT_EQ(picture.height(), grey.height);
    const int step = picture.bitsPerPixel() / 8;
    ASSERT_GE(step, 1);
    unsigned char** rows = Create2DList(&picture);
    ASSERT_NE(rows, nullptr);
    for (int y = 0; y < grey.height; ++y)
        for (int x = 0; x < grey.width; ++x)
            for (int c = 0; c < std::min(step, 3); ++c)
                EXPECT_EQ(rows[y][x * step + c], grey.rows[y][x]) << path << " " << x << "," << y << " channel " << c;
    Release2DList(rows);
}

TEST(PictureFile, GreySavedAsPngAndBmpHasRowZeroAtTheTop)
{
    ClassData2DIO<unsigned char> grey = gradient();
    for (const char* name : {"g.png", "g.bmp", "G.PNG"}) {
        CString path = plat::toWide(homeFile(name));
        ASSERT_TRUE(gSaveUcData(&grey, path)) << name;
        expectPictureMatches(homeFile(name), grey);
    }
}

TEST(PictureFile, SaveFailuresAreReported)
{
    ClassData2DIO<unsigned char> grey = gradient();
    CString unknown = plat::toWide(homeFile("g.nosuchformat"));
    EXPECT_FALSE(gSaveUcData(&grey, unknown));
    EXPECT_FALSE(std::filesystem::exists(homeFile("g.nosuchformat")));
    CString nowhere = plat::toWide(homeFile("missing/g.png"));
    EXPECT_FALSE(gSaveUcData(&grey, nowhere));
    ClassData2DIO<unsigned char> empty;
    CString path = plat::toWide(homeFile("e.png"));
    EXPECT_FALSE(gSaveUcData(&empty, path));
}

TEST(PictureFile, RowListRunsFromTheTopRowByThePitch)
{
    CImage picture;
    ASSERT_TRUE(picture.create(4, 3, 24, true));
    unsigned char** rows = Create2DList(&picture);
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows[0], picture.bits());
    EXPECT_EQ(rows[2], picture.bits() + 2 * picture.pitch());
    EXPECT_LT(picture.pitch(), 0);
    // Writing through entry 0 colours the top-left pixel of the picture.
    rows[0][0] = 10;
    rows[0][1] = 20;
    rows[0][2] = 30;
    Release2DList(rows);
    const QRgb topLeft = picture.toQImage().pixel(0, 0);
    EXPECT_EQ(qBlue(topLeft), 10);
    EXPECT_EQ(qGreen(topLeft), 20);
    EXPECT_EQ(qRed(topLeft), 30);

    CImage empty;
    EXPECT_EQ(Create2DList(&empty), nullptr);
}

TEST(PictureFile, ImageParametersDescribeTheBitmap)
{
    CImage colour;
    ASSERT_TRUE(colour.create(5, 3, 24));
    IMAGEPARAMENT p;
    GetImageParament(&colour, &p);
    EXPECT_EQ(p.width, 5);
    EXPECT_EQ(p.height, 3);
    EXPECT_EQ(p.bitsPerPixel, 24);
    EXPECT_EQ(p.bytesPerRow, 16);
    EXPECT_EQ(p.bytesPerPixel, 3);
    EXPECT_EQ(p.paletteEntries, 0);
    EXPECT_EQ(p.imageSize, 48);

    CImage grey;
    ASSERT_TRUE(grey.create(5, 2, 8));
    GetImageParament(&grey, &p);
    EXPECT_EQ(p.bytesPerRow, 8);
    EXPECT_EQ(p.bytesPerPixel, 1);
    EXPECT_EQ(p.paletteEntries, 256);
    EXPECT_EQ(p.imageSize, 16);

    CImage empty;
    IMAGEPARAMENT untouched;
    untouched.width = 77;
    GetImageParament(&empty, &untouched);
    EXPECT_EQ(untouched.width, 77);
}

} // namespace
