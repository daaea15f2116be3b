#include "test_files_fixture.h"

#include "pixorama/canvo/CanvasMeasures.h"
#include "pixorama/canvo/CanvasRegions.h"

#include <QImage>

#include <cstdint>

namespace {

constexpr int id = 4;

class SaveTest : public FilesTest {
protected:
    void SetUp() override
    {
        FilesTest::SetUp();
        Window(id, 120, 100);
    }

    // A w x h grey picture whose level at (x, y) is (7x + 11y) mod 256.
    static unsigned char Level(int x, int y) { return static_cast<unsigned char>((7 * x + 11 * y) % 256); }
    static void ShowGrey(int w, int h)
    {
        std::vector<unsigned char> grey(std::size_t(w) * std::size_t(h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                grey[std::size_t(y) * std::size_t(w) + std::size_t(x)] = Level(x, y);
        gCVSShowUCGray(id, grey.data(), w, h, true);
    }

    static QImage Load(const std::wstring& path) { return QImage(QString::fromStdWString(path)); }

    // Adds a rectangle with image corners (l, t) and (r, b), selected.
    static Canvo& AddRect(int l, int t, int r, int b)
    {
        gCVSAddMRectangle(id);
        Canvo& rect = *Canvas(id).overlays.back();
        rect.SetRectPos(float(l), float(t), float(r - l), float(b - t));
        rect.AttachView(&Canvas(id).view);
        return rect;
    }
};

TEST_F(SaveTest, RawWritesTheWorkingRawTopRowFirst)
{
    ClassData2DIO<float> image = FloatImage(5, 3, [](int x, int y) { return 100 * y + 10 * x; });
    gCVSShowRawFloat(id, image, true, true);
    const std::wstring path = SaveAs(id, "out.raw", gCVSSaveRaw);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].save);
    EXPECT_EQ(requests[0].defaultExtension, L"raw");
    const std::vector<unsigned char> bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), 5u * 3u * 4u);
    const ClassData2DIO<float>& raw = gCVSGetRaw(id);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(At<float>(bytes, std::size_t(y * 5 + x)), raw.rows[y][x]);
    EXPECT_FLOAT_EQ(At<float>(bytes, 0), 0.0f);
    EXPECT_FLOAT_EQ(At<float>(bytes, 14), 65535.0f);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SaveTest, RawWithoutAFloatImageCreatesNoFileAndKeepsAnOldOne)
{
    ShowGrey(4, 4);
    const std::wstring path = Path("keep.raw");
    WriteFile(path, {1, 2, 3, 4, 5});
    Choose(path);
    gCVSSaveRaw(id);
    EXPECT_EQ(ReadFile(path), (std::vector<unsigned char>{1, 2, 3, 4, 5}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"没有可保存的浮点图像");

    const std::wstring fresh = Path("fresh.raw");
    Choose(fresh);
    gCVSSaveRaw(id);
    EXPECT_FALSE(Exists(fresh));

    // A canvas that shows nothing writes nothing either.
    gCVSSetFileType(id, FileNothing);
    gCVSSaveRaw(id);
    EXPECT_FALSE(Exists(fresh));
}

TEST_F(SaveTest, CancelledChoosersWriteNothing)
{
    ClassData2DIO<float> image = FloatImage(4, 4, [](int x, int) { return x; });
    gCVSShowRawFloat(id, image, true, true);
    gCVSOnDraw(id, nullptr);
    Choose(std::nullopt);
    gCVSSaveRaw(id);
    gCVSSave8bit(id);
    gCVSSaveLabel(id);
    gCVSSaveImaWithOverlap(id);
    gCVSSaveNowShowIma(id);
    gCVSSaveClient(id);
    EXPECT_EQ(requests.size(), 6u);
    EXPECT_TRUE(std::filesystem::is_empty(TestHome::path()));
    EXPECT_TRUE(messages.empty());
}

TEST_F(SaveTest, LabelWithoutOverlaysIsAllOnes)
{
    ShowGrey(7, 5);
    const std::wstring path = SaveAs(id, "label.raw", gCVSSaveLabel);
    const std::vector<unsigned char> bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), 7u * 5u * 4u);
    for (std::size_t i = 0; i < 35; ++i)
        ASSERT_EQ(At<std::int32_t>(bytes, i), 1) << i;
}

TEST_F(SaveTest, LabelOfACanvasWithoutImageWritesNoFile)
{
    const std::wstring path = SaveAs(id, "none.raw", gCVSSaveLabel);
    EXPECT_FALSE(Exists(path));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"没有可保存的标记图像");
}

TEST_F(SaveTest, LabelIsStoredBottomRowFirst)
{
    ShowGrey(10, 8);
    // A rectangle over the upper image rows: it lands in the last rows of
    // the file, since the label image is stored bottom-up.
    Canvo& rect = AddRect(2, 1, 6, 3);
    const std::wstring path = SaveAs(id, "label2.raw", gCVSSaveLabel);
    const std::vector<unsigned char> bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), 10u * 8u * 4u);
    auto label = [&](int x, int imageRow) { return At<std::int32_t>(bytes, std::size_t((7 - imageRow) * 10 + x)); };
    EXPECT_EQ(label(4, 2), rect.ordinal + 1);
    EXPECT_EQ(label(4, 6), 0);
    EXPECT_EQ(label(8, 2), 0);
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(label(x, 7), 0);
        EXPECT_EQ(label(x, 5), 0);
    }
}

TEST_F(SaveTest, EightBitBitmapHoldsTheDisplayedGreyLevels)
{
    ShowGrey(5, 3);
    const std::wstring path = SaveAs(id, "grey.bmp", gCVSSave8bit);
    const std::vector<unsigned char> bytes = ReadFile(path);
    // Stride 8 (5 rounded up to 4), 3 rows, after the 1078-byte header.
    ASSERT_EQ(bytes.size(), 1078u + 8u * 3u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(At<std::uint16_t>(std::vector<unsigned char>(bytes.begin() + 28, bytes.begin() + 30), 0), 8);
    for (int row = 0; row < 3; ++row)
        for (int x = 0; x < 5; ++x) {
            // File row 0 is the bottom picture row.
            const int y = 2 - row;
            ASSERT_EQ(bytes[1078u + std::size_t(row) * 8u + std::size_t(x)], Level(x, y)) << x << "," << y;
        }
    // Read back as a picture, it looks like the canvas.
    const QImage back = Load(path);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(qGray(back.pixel(4, 0)), Level(4, 0));
}

TEST_F(SaveTest, EightBitBitmapOfAFloatImageFollowsTheWindow)
{
    ClassData2DIO<float> image = FloatImage(4, 1, [](int x, int) { return x * 1000; });
    gCVSShowRawFloat(id, image, true, true);
    gCVSSetLutPara(id, 0.0f, 0.5f);
    const std::wstring path = SaveAs(id, "window.bmp", gCVSSave8bit);
    const std::vector<unsigned char> bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), 1078u + 4u);
    // 0, 1000, 2000, 3000 -> 0, 21845, 43690, 65535 over a window of 0..32767.
    EXPECT_EQ(bytes[1078], 0);
    EXPECT_EQ(bytes[1079], 170);
    EXPECT_EQ(bytes[1080], 255);
    EXPECT_EQ(bytes[1081], 255);
}

TEST_F(SaveTest, ShownImageAtImageResolution)
{
    ShowGrey(9, 6);
    const std::wstring path = SaveAs(id, "shown.bmp", gCVSSaveNowShowIma);
    const QImage back = Load(path);
    ASSERT_EQ(back.size(), QSize(9, 6));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(back.pixel(x, y) & 0xFFFFFF, unsigned(Level(x, y)) * 0x010101u) << x << "," << y;
}

TEST_F(SaveTest, ShownImageCroppedToTheSelectedRectangle)
{
    ShowGrey(40, 30);
    AddRect(10, 5, 19, 12);
    const std::wstring path = SaveAs(id, "crop.bmp", gCVSSaveNowShowIma);
    const QImage back = Load(path);
    ASSERT_EQ(back.width(), 10);
    ASSERT_EQ(back.height(), 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(back.pixel(x, y) & 0xFFFFFF, unsigned(Level(10 + x, 5 + y)) * 0x010101u) << x << "," << y;
}

TEST_F(SaveTest, ShownImageBurnsInMeasuringLines)
{
    // A black picture shows the red line and label clearly.
    std::vector<unsigned char> black(80u * 60u, 0);
    gCVSShowUCGray(id, black.data(), 80, 60, true);
    // Placed as a user does: Shift-press at one end, drag to the other.
    gCVSAddMeasureLine(id);
    Canvo& line = *Canvas(id).overlays.back();
    plat::Point from, to;
    gCVSGetDisplayPt(id, 5.5, 40.5, from);
    gCVSGetDisplayPt(id, 20.5, 40.5, to);
    gCVSOnLButtonDown(id, plat::MK_SHIFT | plat::MK_LBUTTON, from);
    gCVSOnMouseMove(id, plat::MK_LBUTTON, to);
    gCVSOnLButtonUp(id, 0, to);
    ASSERT_EQ(line.imagePoints.size(), 2u);
    EXPECT_EQ(int(line.imagePoints[1].x), 20);
    AddRect(0, 0, 79, 59);
    const std::wstring path = SaveAs(id, "burn.bmp", gCVSSaveNowShowIma);
    const QImage back = Load(path);
    ASSERT_EQ(back.size(), QSize(80, 60));
    for (int x = 5; x < 20; ++x)
        EXPECT_EQ(back.pixel(x, 40) & 0xFFFFFF, 0xFF0000u) << x;
    EXPECT_EQ(back.pixel(5, 41) & 0xFFFFFF, 0u);
    EXPECT_EQ(back.pixel(4, 40) & 0xFFFFFF, 0u);
    // The label starts at (40, 20): red text to the right of and above the line end.
    EXPECT_EQ(line.GetText(), L"长度 = 15.000 mm");
    int labelPixels = 0;
    for (int y = 18; y < 45; ++y)
        for (int x = 38; x < 80; ++x)
            labelPixels += (back.pixel(x, y) & 0xFF0000) != 0;
    EXPECT_GT(labelPixels, 10);
    // Nothing is drawn on the canvas itself.
    for (int i = 0; i < 80 * 60; ++i)
        ASSERT_EQ(gCVSGetCanvasPixelPtr(id)[i] & 0xFFFFFF, 0u);
}

TEST_F(SaveTest, ImageWithOverlaysIsTheDisplayedRectangleOfTheLastPaint)
{
    ShowGrey(30, 20);
    gCVSOnDraw(id, nullptr);
    const plat::Rect shown = gCVSGetCanvasRegion(id);
    const std::wstring path = SaveAs(id, "overlap.png", gCVSSaveImaWithOverlap);
    const QImage back = Load(path);
    ASSERT_EQ(back.size(), QSize(shown.width(), shown.height()));
    const plat::DibBitmap& client = Canvas(id).clientSurface.Bitmap();
    for (int y = 0; y < back.height(); ++y)
        for (int x = 0; x < back.width(); ++x)
            ASSERT_EQ(back.pixel(x, y) & 0xFFFFFF, client.pixelAt(shown.left + x, shown.top + y) & 0xFFFFFF);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SaveTest, ZoomedImageWithOverlaysIsCutToTheWindow)
{
    ShowGrey(30, 20);
    Canvas(id).view.scale = 8.0;
    ShowGrey(30, 20);
    gCVSOnDraw(id, nullptr);
    ASSERT_GT(gCVSGetCanvasRegion(id).width(), 120);
    const std::wstring path = SaveAs(id, "zoomed.png", gCVSSaveImaWithOverlap);
    EXPECT_EQ(Load(path).size(), QSize(120, 100));
}

TEST_F(SaveTest, ClientIsTheSelectedRectangleOrTheWholeWindow)
{
    ShowGrey(30, 20);
    gCVSOnDraw(id, nullptr);
    const std::wstring whole = Path("client.png");
    Choose(whole);
    gCVSSaveClient(id);
    EXPECT_EQ(Load(whole).size(), QSize(120, 100));

    Canvo& rect = AddRect(2, 3, 12, 9);
    gCVSOnDraw(id, nullptr);
    const plat::Rect area = rect.displayRect;
    const std::wstring part = Path("part.png");
    Choose(part);
    gCVSSaveClient(id);
    const QImage back = Load(part);
    ASSERT_EQ(back.size(), QSize(area.width(), area.height()));
    const plat::DibBitmap& client = Canvas(id).clientSurface.Bitmap();
    EXPECT_EQ(back.pixel(1, 1) & 0xFFFFFF, client.pixelAt(area.left + 1, area.top + 1) & 0xFFFFFF);
}

TEST_F(SaveTest, PictureEncodeFailureIsTold)
{
    ShowGrey(8, 8);
    gCVSOnDraw(id, nullptr);
    Choose(Path("noencoder.xyz"));
    gCVSSaveImaWithOverlap(id);
    gCVSSaveClient(id);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], L"保存图像文件失败！");
    EXPECT_EQ(messages[1], L"保存图像文件失败！");
}

TEST_F(SaveTest, NothingShownWritesNoPicture)
{
    Choose(Path("empty.bmp"));
    gCVSSave8bit(id);
    gCVSSaveImaWithOverlap(id);
    gCVSSaveNowShowIma(id);
    gCVSSaveClient(id);
    EXPECT_EQ(requests.size(), 4u);
    EXPECT_FALSE(Exists(Path("empty.bmp")));
}

} // namespace
