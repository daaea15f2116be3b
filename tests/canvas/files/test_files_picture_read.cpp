#include "test_files_fixture.h"

#include <QImage>
#include <QImageWriter>

#include <cstdint>

namespace {

class PictureReadTest : public FilesWindowTest<64, 48> {
protected:
    void Read(std::wstring path, bool keepOriginal = true) { gCVSReadFile(id, path, keepOriginal); }

    static std::wstring Save(const QImage& picture, const std::string& name)
    {
        const std::wstring path = Path(name);
        EXPECT_TRUE(picture.save(QString::fromStdWString(path))) << name;
        return path;
    }

    // The canvas pixel of image point (x, y), as blue | green << 8 | red << 16.
    static unsigned Shown(int x, int y)
    {
        const int w = gCVSGetCanvasWidth(id);
        const int h = gCVSGetCanvasHeight(id);
        return gCVSGetCanvasPixelPtr(id)[std::size_t(h - 1 - y) * std::size_t(w) + std::size_t(x)] & 0xFFFFFF;
    }

    static float Value(int x, int y)
    {
        const plat::Rect shown = gCVSGetCanvasRegion(id);
        return gCVSGetImaPixelValue(id, {shown.left + x, shown.top + y});
    }

    // An image shown before the read, with an overlay on it.
    void ShowSomething()
    {
        ClassData2DIO<float> image = FloatImage(5, 4, [](int x, int y) { return x * y; });
        gCVSShowRawFloat(id, image, true, true);
        AddPoints(id, {{0, 0}, {1, 0}, {1, 1}});
    }
};

QImage grey16(int w, int h)
{
    QImage picture(w, h, QImage::Format_Grayscale16);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint16_t*>(picture.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = std::uint16_t(1000 * y + 300 * x + 17);
    }
    return picture;
}

TEST_F(PictureReadTest, SixteenBitGreyPngAndTiffKeepTheirValues)
{
    for (const char* name : {"deep.png", "deep.tif"}) {
        SCOPED_TRACE(name);
        const QImage picture = grey16(7, 5);
        Read(Save(picture, name));
        EXPECT_EQ(gCVSGetFileType(id), FileFloat);
        EXPECT_EQ(gCVSGetCanvasWidth(id), 7);
        EXPECT_EQ(gCVSGetCanvasHeight(id), 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_FLOAT_EQ(Value(x, y), float(1000 * y + 300 * x + 17)) << x << "," << y;
        // Displayed through the window: darkest at the top left, brightest bottom right.
        EXPECT_EQ(Shown(0, 0), 0x000000u);
        EXPECT_EQ(Shown(6, 4), 0xFFFFFFu);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(PictureReadTest, FloatingPointGreyPictureKeepsItsValues)
{
    QImage picture(3, 2, QImage::Format_RGBX32FPx4);
    const float values[2][3] = {{-0.5f, 0.25f, 1.0f}, {2.5f, 100.0f, 0.0f}};
    for (int y = 0; y < 2; ++y) {
        auto* row = reinterpret_cast<float*>(picture.scanLine(y));
        for (int x = 0; x < 3; ++x) {
            row[4 * x] = row[4 * x + 1] = row[4 * x + 2] = values[y][x];
            row[4 * x + 3] = 1.0f;
        }
    }
    Read(Save(picture, "float.tif"));
    EXPECT_EQ(gCVSGetFileType(id), FileFloat);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_FLOAT_EQ(Value(x, y), values[y][x]);
}

TEST_F(PictureReadTest, SixteenBitColourIsShownAsColour)
{
    QImage picture(2, 1, QImage::Format_RGBX64);
    picture.setPixelColor(0, 0, QColor(255, 0, 0));
    picture.setPixelColor(1, 0, QColor(0, 0, 255));
    Read(Save(picture, "colour16.png"));
    EXPECT_EQ(gCVSGetFileType(id), FilePicture8);
    EXPECT_EQ(Shown(0, 0), 0xFF0000u);
    EXPECT_EQ(Shown(1, 0), 0x0000FFu);
}

TEST_F(PictureReadTest, ColourPicturesArePaintedTopRowUp)
{
    QImage picture(3, 2, QImage::Format_RGB888);
    picture.setPixelColor(0, 0, QColor(10, 20, 30));
    picture.setPixelColor(1, 0, QColor(255, 0, 0));
    picture.setPixelColor(2, 0, QColor(0, 255, 0));
    picture.setPixelColor(0, 1, QColor(0, 0, 255));
    picture.setPixelColor(1, 1, QColor(1, 2, 3));
    picture.setPixelColor(2, 1, QColor(200, 100, 50));
    ShowSomething();
    Read(Save(picture, "colour.png"));
    EXPECT_EQ(gCVSGetFileType(id), FilePicture8);
    EXPECT_TRUE(Canvas(id).overlays.empty());
    EXPECT_TRUE(gCVSGetRaw(id).IsEmpty());
    EXPECT_EQ(Shown(0, 0), 0x0A141Eu);
    EXPECT_EQ(Shown(1, 0), 0xFF0000u);
    EXPECT_EQ(Shown(2, 0), 0x00FF00u);
    EXPECT_EQ(Shown(0, 1), 0x0000FFu);
    EXPECT_EQ(Shown(1, 1), 0x010203u);
    EXPECT_EQ(Shown(2, 1), 0xC86432u);
    // Memory row 0 holds the bottom picture row.
    EXPECT_EQ(gCVSGetCanvasPixelPtr(id)[0] & 0xFFFFFF, 0x0000FFu);

    // Alpha is dropped, whatever it is.
    QImage alpha(2, 1, QImage::Format_ARGB32);
    alpha.setPixel(0, 0, qRgba(10, 20, 30, 0));
    alpha.setPixel(1, 0, qRgba(200, 150, 100, 128));
    Read(Save(alpha, "alpha.png"));
    EXPECT_EQ(Shown(0, 0), 0x0A141Eu);
    EXPECT_EQ(Shown(1, 0), 0xC89664u);
}

TEST_F(PictureReadTest, PaletteIndicesAreGreyLevels)
{
    QImage picture(3, 1, QImage::Format_Indexed8);
    picture.setColorTable({qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(9, 9, 9)});
    picture.setPixel(0, 0, 0);
    picture.setPixel(1, 0, 2);
    picture.setPixel(2, 0, 3);
    for (const char* name : {"palette.png", "palette.bmp"}) {
        SCOPED_TRACE(name);
        Read(Save(picture, name));
        EXPECT_EQ(gCVSGetFileType(id), FilePicture8);
        EXPECT_EQ(Shown(0, 0), 0x000000u);
        EXPECT_EQ(Shown(1, 0), 0x020202u);
        EXPECT_EQ(Shown(2, 0), 0x030303u);
        EXPECT_FLOAT_EQ(Value(1, 0), 2.0f);
    }
}

TEST_F(PictureReadTest, EightBitGreyKeepsItsLevels)
{
    QImage picture(256, 1, QImage::Format_Grayscale8);
    for (int x = 0; x < 256; ++x)
        picture.scanLine(0)[x] = static_cast<unsigned char>(x);
    Read(Save(picture, "grey.png"));
    EXPECT_EQ(gCVSGetFileType(id), FilePicture8);
    for (int x = 0; x < 256; ++x)
        ASSERT_EQ(Shown(x, 0), unsigned(x) * 0x010101u) << x;
}

TEST_F(PictureReadTest, UndecodableOrMissingFileIsToldAndThePictureShownStays)
{
    ShowSomething();
    const std::size_t overlays = Canvas(id).overlays.size();
    const float before = Value(0, 0);
    const std::wstring path = Path("broken.png");
    WriteFile(path, {0x89, 'P', 'N', 'G', 1, 2, 3, 4, 5});
    CString broken = path;
    EXPECT_FALSE(gCVSReadFile(id, broken, true));
    CString missing = Path("nothere.jpg");
    EXPECT_FALSE(gCVSReadFile(id, missing, true));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], L"无法读取图像文件");
    EXPECT_EQ(messages[1], L"文件不存在");
    EXPECT_EQ(dialogs, 0);
    EXPECT_NE(gCVSGetFileType(id), FileNothing);
    EXPECT_GT(gCVSGetCanvasWidth(id), 0);
    EXPECT_EQ(Canvas(id).overlays.size(), overlays);
    EXPECT_FLOAT_EQ(Value(0, 0), before);
}

} // namespace
