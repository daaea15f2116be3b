// Pictures given to the workbench reach canvas 4 by the right path: deep
// grey through the float path with their values kept, 8-bit grey and
// colour as pixels; bad files are refused and leave the canvas alone.
#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/workbench/PictureShow.h"

#include "TestHome.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int canvas = 4;

// Canvas pixel at image point (x, y): surfaces are stored bottom-up.
plat::Pixel canvasPixel(int x, int y)
{
    const unsigned* bits = gCVSGetCanvasPixelPtr(canvas);
    const int w = gCVSGetCanvasWidth(canvas);
    const int h = gCVSGetCanvasHeight(canvas);
    return bits[std::size_t(h - 1 - y) * std::size_t(w) + std::size_t(x)] & 0xFFFFFF;
}

class PictureShowTest : public testing::Test {
protected:
    void SetUp() override
    {
        plat::setMessageBoxResponder([this](const std::wstring& text, const std::wstring&, unsigned) {
            boxes.push_back(text);
            return plat::IDOK;
        });
    }
    void TearDown() override { plat::setMessageBoxResponder({}); }

    std::wstring save(const QImage& image, const char* name)
    {
        const auto path = TestHome::path() / name;
        EXPECT_TRUE(image.save(QString::fromStdString(path.string())));
        return plat::fromPath(path);
    }

    std::vector<std::wstring> boxes;
};

TEST_F(PictureShowTest, SixteenBitGreyKeepsItsValuesThroughTheFloatPath)
{
    QImage image(5, 3, QImage::Format_Grayscale16);
    for (int y = 0; y < 3; ++y) {
        auto* row = reinterpret_cast<std::uint16_t*>(image.scanLine(y));
        for (int x = 0; x < 5; ++x)
            row[x] = std::uint16_t(y * 20000 + x * 1111 + 7);
    }
    ASSERT_TRUE(PictureShow::showFile(canvas, save(image, "deep.png")));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(gCVSGetFileType(canvas), FileFloat);
    EXPECT_EQ(gCVSGetCanvasWidth(canvas), 5);
    EXPECT_EQ(gCVSGetCanvasHeight(canvas), 3);
    const ClassData2DIO<float>& ori = gCVSGetRawOri(canvas);
    ASSERT_EQ(ori.width, 5);
    ASSERT_EQ(ori.height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(ori.rows[y][x], float(y * 20000 + x * 1111 + 7)) << x << "," << y;
    // Brightest on screen where the data is largest.
    EXPECT_GT(canvasPixel(4, 2) & 0xFF, canvasPixel(0, 0) & 0xFF);
}

TEST_F(PictureShowTest, FloatingPointGreyKeepsValuesBeyondTheUnitRange)
{
    QImage image(3, 2, QImage::Format_RGBA32FPx4);
    const float values[2][3] = {{-3.5f, 0.0f, 1.0f}, {250.25f, 1.0e5f, 7.0f}};
    for (int y = 0; y < 2; ++y) {
        auto* row = reinterpret_cast<float*>(image.scanLine(y));
        for (int x = 0; x < 3; ++x) {
            row[4 * x] = row[4 * x + 1] = row[4 * x + 2] = values[y][x];
            row[4 * x + 3] = 1.0f;
        }
    }
    ASSERT_TRUE(PictureShow::showImage(canvas, image));
    EXPECT_EQ(gCVSGetFileType(canvas), FileFloat);
    const ClassData2DIO<float>& ori = gCVSGetRawOri(canvas);
    ASSERT_EQ(ori.width, 3);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(ori.rows[y][x], values[y][x]);
}

TEST_F(PictureShowTest, ColourPictureLandsPixelForPixel)
{
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(QColor(10, 20, 30));
    image.setPixelColor(3, 0, QColor(250, 0, 5));
    image.setPixelColor(0, 1, QColor(1, 200, 99));
    ASSERT_TRUE(PictureShow::showFile(canvas, save(image, "colour.png")));
    EXPECT_EQ(gCVSGetFileType(canvas), FilePicture8);
    EXPECT_EQ(canvasPixel(3, 0), plat::pixelOf(250, 0, 5));
    EXPECT_EQ(canvasPixel(0, 1), plat::pixelOf(1, 200, 99));
    EXPECT_EQ(canvasPixel(1, 0), plat::pixelOf(10, 20, 30));
}

TEST_F(PictureShowTest, EightBitGreyLandsAsGreyPixels)
{
    QImage image(3, 3, QImage::Format_Grayscale8);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            image.scanLine(y)[x] = static_cast<unsigned char>(x * 100 + y);
    ASSERT_TRUE(PictureShow::showFile(canvas, save(image, "grey.png")));
    EXPECT_EQ(gCVSGetFileType(canvas), FilePicture8);
    EXPECT_EQ(canvasPixel(2, 1), plat::pixelOf(201, 201, 201));
    EXPECT_EQ(canvasPixel(0, 2), plat::pixelOf(2, 2, 2));
}

TEST_F(PictureShowTest, MissingAndUndecodableFilesAreRefusedAndChangeNothing)
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(QColor(40, 50, 60));
    ASSERT_TRUE(PictureShow::showFile(canvas, save(image, "keep.png")));

    EXPECT_FALSE(PictureShow::showFile(canvas, plat::fromPath(TestHome::path() / "nothing-here.png")));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"文件不存在");

    const auto garbage = TestHome::path() / "garbage.png";
    std::ofstream(garbage, std::ios::binary) << "this is not a picture";
    EXPECT_FALSE(PictureShow::showFile(canvas, plat::fromPath(garbage)));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], L"无法读取图像文件");

    EXPECT_FALSE(PictureShow::showFile(canvas, plat::fromPath(TestHome::path())));
    EXPECT_FALSE(PictureShow::showImage(canvas, QImage()));

    EXPECT_EQ(gCVSGetCanvasWidth(canvas), 2);
    EXPECT_EQ(canvasPixel(1, 1), plat::pixelOf(40, 50, 60));
}

TEST_F(PictureShowTest, WideCharacterPathsOpen)
{
    QImage image(2, 1, QImage::Format_RGB32);
    image.fill(QColor(9, 8, 7));
    ASSERT_TRUE(PictureShow::showFile(canvas, save(image, "图像 一.png")));
    EXPECT_EQ(canvasPixel(1, 0), plat::pixelOf(9, 8, 7));
}

} // namespace
