#include "PictureFileWriters.h"
#include "test_files_fixture.h"

#include "TiffDecoder.h"

#include "pixorama/canvo/CanvasRegions.h"
#include "pixorama/platform/AtomicFile.h"

#include <cmath>
#include <limits>

namespace {

class SaveTiffTest : public FilesWindowTest<120, 100> {
protected:
    static DecodedPicture Reread(const std::wstring& path)
    {
        const std::vector<std::uint8_t> bytes = fileBytes(plat::toPath(path).string());
        return TiffDecoder::Decode(bytes.data(), bytes.size());
    }

    // A tag of the first page of the TIFF at path.
    static int Tag(const std::wstring& path, ttag_t tag)
    {
        TIFF* tif = TIFFOpen(plat::toPath(path).c_str(), "r");
        std::uint16_t value = 0;
        if (tif) {
            TIFFGetFieldDefaulted(tif, tag, &value);
            TIFFClose(tif);
        }
        return value;
    }
};

TEST_F(SaveTiffTest, RawSavedAsTiffKeepsTheValuesAsFloats)
{
    ClassData2DIO<float> image = FloatImage(21, 13, [](int x, int y) { return -3.25f + 0.001f * float(x * y) + 1e6f * float(y == 5); });
    gCVSShowRawFloat(id, image, true, true);
    for (const char* name : {"result.tif", "result.TIFF"}) {
        SCOPED_TRACE(name);
        const std::wstring path = SaveAs(id, name, gCVSSaveRaw);
        EXPECT_EQ(Tag(path, TIFFTAG_BITSPERSAMPLE), 32);
        EXPECT_EQ(Tag(path, TIFFTAG_SAMPLEFORMAT), SAMPLEFORMAT_IEEEFP);
        const DecodedPicture back = Reread(path);
        ASSERT_EQ(back.width, 21);
        ASSERT_EQ(back.height, 13);
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 21; ++x)
                ASSERT_EQ(back.values[std::size_t(y) * 21 + x], image.rows[y][x]) << x << "," << y;
    }
    // Saving leaves the canvas's values as they were.
    EXPECT_EQ(gCVSGetRawOri(id).rows[12][20], image.rows[12][20]);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SaveTiffTest, ShownImageSavedAsTiffIsSixteenBitOfTheDisplayedArea)
{
    ClassData2DIO<float> image = FloatImage(30, 20, [](int x, int y) { return float(x + 100 * y); });
    gCVSShowRawFloat(id, image, true, true);
    const std::wstring whole = Path("shown.tif");
    Choose(whole);
    gCVSSaveNowShowIma(id);
    EXPECT_EQ(Tag(whole, TIFFTAG_BITSPERSAMPLE), 16);
    DecodedPicture back = Reread(whole);
    ASSERT_EQ(back.width, 30);
    ASSERT_EQ(back.height, 20);
    const ClassData2DIO<float>& working = gCVSGetRaw(id);
    EXPECT_EQ(back.values[0], 0.0f);
    EXPECT_EQ(back.values.back(), 65535.0f);
    EXPECT_EQ(back.values[std::size_t(7) * 30 + 4], float(int(working.rows[7][4])));

    // Cropped to the selected rectangle, corners inclusive.
    gCVSAddMRectangle(id);
    Canvo& rect = *Canvas(id).overlays.back();
    rect.SetRectPos(10, 5, 9, 4);
    rect.AttachView(&Canvas(id).view);
    rect.selected = true;
    const std::wstring crop = Path("crop.tif");
    Choose(crop);
    gCVSSaveNowShowIma(id);
    back = Reread(crop);
    ASSERT_EQ(back.width, 10);
    ASSERT_EQ(back.height, 5);
    EXPECT_EQ(back.values[0], float(int(working.rows[5][10])));
}

TEST_F(SaveTiffTest, ShownLevelsThatAreNotNumbersAreSavedAsZero)
{
    ClassData2DIO<float> image = FloatImage(8, 4, [](int x, int y) {
        return x == 3 && y == 2 ? std::numeric_limits<float>::quiet_NaN() : float(x + 10 * y);
    });
    gCVSShowRawFloat(id, image, true, true);
    const ClassData2DIO<float>& working = gCVSGetRaw(id);
    ASSERT_TRUE(std::isnan(working.rows[2][3]));
    const std::wstring path = SaveAs(id, "nan.tif", gCVSSaveNowShowIma);
    const DecodedPicture back = Reread(path);
    ASSERT_EQ(back.width, 8);
    ASSERT_EQ(back.height, 4);
    EXPECT_EQ(back.values[std::size_t(2) * 8 + 3], 0.0f);
    EXPECT_EQ(back.values[std::size_t(3) * 8 + 7], float(int(working.rows[3][7])));
}

TEST_F(SaveTiffTest, ColourPictureSavedAsTiffIsSixteenBitRgb)
{
    const std::uint32_t pixels[2] = {0xFF8000u, 0x0000FFu};
    std::vector<unsigned char> r = {0xFF, 0x00}, g = {0x80, 0x00}, b = {0x00, 0xFF};
    gCVSShowUCColor(id, r.data(), g.data(), b.data(), 2, 1, true);
    const std::wstring path = SaveAs(id, "colour.tif", gCVSSaveNowShowIma);
    EXPECT_EQ(Tag(path, TIFFTAG_BITSPERSAMPLE), 16);
    EXPECT_EQ(Tag(path, TIFFTAG_SAMPLESPERPIXEL), 3);
    const DecodedPicture back = Reread(path);
    ASSERT_EQ(back.colour.size(), 2u);
    EXPECT_EQ(back.colour[0], pixels[0]);
    EXPECT_EQ(back.colour[1], pixels[1]);
}

TEST_F(SaveTiffTest, AFailedTiffWriteLeavesTheOldFileAndSaysSo)
{
    ClassData2DIO<float> image = FloatImage(64, 64, [](int x, int y) { return float(x * y); });
    gCVSShowRawFloat(id, image, true, true);
    const std::wstring path = Path("keep.tif");
    WriteFile(path, {1, 2, 3});
    Choose(path);
    plat::setAtomicWriteLimitForTesting(100);
    gCVSSaveRaw(id);
    plat::setAtomicWriteLimitForTesting(-1);
    EXPECT_EQ(ReadFile(path), (std::vector<unsigned char>{1, 2, 3}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"保存图像文件失败！");
}

} // namespace
