#include "test_files_fixture.h"

#include "pixorama/common/MemoryBudget.h"

#include <cstdint>
#include <limits>

namespace {

class RawReadTest : public FilesWindowTest<64, 48> {
protected:
    // Reads path into the canvas with the dialog answered by a.
    void Read(std::wstring path, std::optional<LoadAnswer> a, bool keepOriginal = true)
    {
        AnswerLoad(a);
        gCVSReadFile(id, path, keepOriginal);
    }

    // The grey level shown at pixel (x, y) of the picture.
    auto Shown(int x, int y)
    {
        const plat::Rect region = gCVSGetCanvasRegion(id);
        return gCVSGetImaPixelValue(id, {region.left + x, region.top + y});
    }

    // What ShowSomething showed is still there, overlay and values.
    void ExpectSomethingKept()
    {
        EXPECT_EQ(gCVSGetFileType(id), FileFloat);
        EXPECT_FALSE(Canvas(id).overlays.empty());
        EXPECT_EQ(OriValues(id), (std::vector<float>{0, 1, 10, 11}));
    }

    // A canvas that shows a 2 x 2 float image with an overlay on it.
    void ShowSomething()
    {
        ClassData2DIO<float> image = FloatImage(2, 2, [](int x, int y) { return x + 10 * y; });
        gCVSShowRawFloat(id, image, true, true);
        AddPoints(id, {{0, 0}, {1, 0}, {1, 1}});
    }
};

TEST_F(RawReadTest, ReadsEveryPixelTypeAsPlainValues)
{
    struct Case {
        int type;
        std::vector<unsigned char> bytes;
        std::vector<float> expected;
    };
    const std::vector<Case> cases = {
        {0, Bytes<std::uint16_t>({0, 1, 65535, 300, 7, 40000}), {0, 1, 65535, 300, 7, 40000}},
        {1, Bytes<float>({-1.5f, 0.25f, 3e6f, 2, 3, 4}), {-1.5f, 0.25f, 3e6f, 2, 3, 4}},
        {2, Bytes<std::int16_t>({-32768, -1, 0, 1, 32767, 5}), {-32768, -1, 0, 1, 32767, 5}},
        {3, Bytes<std::uint8_t>({0, 1, 128, 255, 9, 10}), {0, 1, 128, 255, 9, 10}},
        {4, Bytes<std::int32_t>({-2000000, 70000, 0, -1, 5, 6}), {-2000000, 70000, 0, -1, 5, 6}},
        {5, Bytes<double>({-0.5, 1e5, 2.25, 3, 4, 5}), {-0.5f, 1e5f, 2.25f, 3, 4, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        static const char* const names[] = {"t0.raw", "t1.raw", "t2.raw", "t3.raw", "t4.raw", "t5.raw"};
        const std::wstring path = Path(names[c.type]);
        WriteFile(path, c.bytes);
        Read(path, LoadAnswer{3, 2, c.type});
        EXPECT_EQ(gCVSGetFileType(id), FileFloat);
        EXPECT_EQ(gCVSGetCanvasWidth(id), 3);
        EXPECT_EQ(gCVSGetCanvasHeight(id), 2);
        EXPECT_EQ(OriValues(id), c.expected);
    }
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(dialogs, 6);
}

TEST_F(RawReadTest, BigEndianWhenLittleEndianIsUnticked)
{
    const std::wstring u16 = Path("be16.raw");
    WriteFile(u16, Bytes<std::uint16_t>({0x0102, 0xA0B0, 1, 65535}, true));
    Read(u16, LoadAnswer{2, 2, 0, false});
    EXPECT_EQ(OriValues(id), (std::vector<float>{0x0102, 0xA0B0, 1, 65535}));

    const std::wstring f32 = Path("bef.raw");
    WriteFile(f32, Bytes<float>({1.5f, -2.0f, 1e-3f, 7.0f}, true));
    Read(f32, LoadAnswer{2, 2, 1, false});
    EXPECT_EQ(OriValues(id), (std::vector<float>{1.5f, -2.0f, 1e-3f, 7.0f}));

    const std::wstring d64 = Path("bed.raw");
    WriteFile(d64, Bytes<double>({-4.0, 0.5, 1e6, 3.0}, true));
    Read(d64, LoadAnswer{2, 2, 5, false});
    EXPECT_EQ(OriValues(id), (std::vector<float>{-4.0f, 0.5f, 1e6f, 3.0f}));

    const std::wstring i32 = Path("bei.raw");
    WriteFile(i32, Bytes<std::int32_t>({-70000, 1, 2, 3}, true));
    Read(i32, LoadAnswer{2, 2, 4, false});
    EXPECT_EQ(OriValues(id), (std::vector<float>{-70000, 1, 2, 3}));
}

TEST_F(RawReadTest, SkipsTheHeaderExceptForBytes)
{
    std::vector<unsigned char> file = {0xEE, 0xEE, 0xEE};
    const std::vector<unsigned char> pixels = Bytes<std::uint16_t>({10, 20, 30, 40});
    file.insert(file.end(), pixels.begin(), pixels.end());
    const std::wstring path = Path("skip.raw");
    WriteFile(path, file);
    Read(path, LoadAnswer{2, 2, 0, true, 3});
    EXPECT_EQ(OriValues(id), (std::vector<float>{10, 20, 30, 40}));

    // 8-bit files are read from byte 0 whatever the header size says.
    Read(path, LoadAnswer{2, 2, 3, true, 3});
    EXPECT_EQ(OriValues(id), (std::vector<float>{0xEE, 0xEE, 0xEE, 10}));
}

TEST_F(RawReadTest, ExtensionsInAnyCaseSelectTheRawPath)
{
    for (const char* name : {"A.RAW", "b.Hraw", "c.his", "noextension"}) {
        SCOPED_TRACE(name);
        const std::wstring path = Path(name);
        WriteFile(path, Bytes<std::uint16_t>({1, 2, 3, 4}));
        const int before = dialogs;
        Read(path, LoadAnswer{2, 2, 0});
        EXPECT_EQ(dialogs, before + 1);
        EXPECT_EQ(gCVSGetFileType(id), FileFloat);
        EXPECT_EQ(OriValues(id), (std::vector<float>{1, 2, 3, 4}));
    }
}

TEST_F(RawReadTest, ShowsTheFloatDisplayOfTheData)
{
    const std::wstring path = Path("ramp.raw");
    WriteFile(path, Bytes<std::uint16_t>({100, 200, 300, 400}));
    Read(path, LoadAnswer{2, 2, 0});
    // Working raw rescaled to 0..65535; display pixels from the full window.
    const ClassData2DIO<float>& raw = gCVSGetRaw(id);
    EXPECT_FLOAT_EQ(raw.rows[0][0], 0.0f);
    EXPECT_FLOAT_EQ(raw.rows[1][1], 65535.0f);
    const unsigned* pixels = gCVSGetCanvasPixelPtr(id);
    // Memory row 0 is image row 1 (bottom-up).
    EXPECT_EQ(pixels[1] & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(pixels[2] & 0xFFFFFF, 0x000000u);
    // Pixel queries give the stored values.
    const plat::Rect shown = gCVSGetCanvasRegion(id);
    EXPECT_FLOAT_EQ(gCVSGetImaPixelValue(id, {shown.left, shown.top}), 100.0f);
    EXPECT_FLOAT_EQ(gCVSGetImaPixelValue(id, {shown.right - 1, shown.bottom - 1}), 400.0f);
}

TEST_F(RawReadTest, MapRangeClampsTheOutputRangeTo0To255)
{
    const std::wstring path = Path("map.raw");
    WriteFile(path, Bytes<float>({-10, 0, 50, 100, 1000, 25}));
    Read(path, LoadAnswer{3, 2, 1, true, 0, true, 0, 100, -5, 300});
    EXPECT_EQ(gCVSGetFileType(id), FilePicture8);
    EXPECT_TRUE(gCVSGetRaw(id).IsEmpty());
    // Low out -5 becomes 0, high out 300 becomes 255: 50 maps to 127.5 -> 127.
    EXPECT_FLOAT_EQ(Shown(0, 0), 0.0f);
    EXPECT_FLOAT_EQ(Shown(1, 0), 0.0f);
    EXPECT_FLOAT_EQ(Shown(2, 0), 127.0f);
    EXPECT_FLOAT_EQ(Shown(0, 1), 255.0f);
    EXPECT_FLOAT_EQ(Shown(1, 1), 255.0f);
    EXPECT_FLOAT_EQ(Shown(2, 1), 63.0f);
}

TEST_F(RawReadTest, MapRangeWithinTheLimitsAndTooNarrowRanges)
{
    const std::wstring path = Path("map2.raw");
    WriteFile(path, Bytes<float>({0, 10, 20, 300}));
    Read(path, LoadAnswer{2, 2, 1, true, 0, true, 0, 20, 100, 200});
    EXPECT_FLOAT_EQ(Shown(0, 0), 100.0f);
    EXPECT_FLOAT_EQ(Shown(1, 0), 150.0f);
    EXPECT_FLOAT_EQ(Shown(0, 1), 200.0f);
    EXPECT_FLOAT_EQ(Shown(1, 1), 200.0f);

    // An empty input range converts the values themselves, low byte kept.
    Read(path, LoadAnswer{2, 2, 1, true, 0, true, 5, 5, 0, 255});
    EXPECT_FLOAT_EQ(Shown(1, 0), 10.0f);
    EXPECT_FLOAT_EQ(Shown(1, 1), float(300 & 0xFF));
}

TEST_F(RawReadTest, RefusesSizesThatAreNotPositiveOrOverflow)
{
    const std::wstring path = Path("size.raw");
    WriteFile(path, Bytes<std::uint16_t>({1, 2, 3, 4}));
    const std::vector<std::pair<int, int>> sizes = {{0, 2}, {2, 0}, {-3, 2}, {2, -1}, {65536, 65536}, {46341, 46341}};
    for (const auto& [w, h] : sizes) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        ShowSomething();
        messages.clear();
        Read(path, LoadAnswer{w, h, 0});
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], L"图像尺寸无效：宽度 " + std::to_wstring(w) + L"，高度 " + std::to_wstring(h));
        ExpectSomethingKept();
    }
}

TEST_F(RawReadTest, ShortFileIsReportedAndThePictureShownStays)
{
    const std::wstring path = Path("short.raw");
    WriteFile(path, Bytes<std::uint16_t>({1, 2, 3}));
    ShowSomething();
    Read(path, LoadAnswer{2, 2, 0});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"文件长度不足：需要 8 字节，实际 6 字节");
    ExpectSomethingKept();

    // The header counts too.
    messages.clear();
    Read(path, LoadAnswer{1, 2, 0, true, 4});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"文件长度不足：需要 8 字节，实际 6 字节");

    // A file of exactly the size asked for is fine.
    messages.clear();
    Read(path, LoadAnswer{1, 1, 0, true, 4});
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(OriValues(id), (std::vector<float>{3}));
}

TEST_F(RawReadTest, SizesOverTheMemoryAreRefusedBeforeAnythingIsAllocated)
{
    const std::wstring path = Path("big.raw");
    WriteFile(path, Bytes(std::vector<std::uint16_t>(1000 * 1000, 7)));
    MemoryBudget::SetAvailableForTesting(8 << 20);
    Read(path, LoadAnswer{1000, 1000, 0});
    // A missing file would be shown as zeros of that size: refused alike.
    Read(Path("absent.raw"), LoadAnswer{1000, 1000, 0});
    MemoryBudget::SetAvailableForTesting(0);
    EXPECT_EQ(messages, std::vector<std::wstring>(2, L"图像需要约 16 MB 内存，可用 8 MB"));
    EXPECT_EQ(gCVSGetFileType(id), FileNothing);

    messages.clear();
    Read(path, LoadAnswer{1000, 1000, 0});
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(gCVSGetCanvasWidth(id), 1000);
}

TEST_F(RawReadTest, NegativeHeaderSizeIsRefused)
{
    const std::wstring path = Path("neg.raw");
    WriteFile(path, Bytes<std::uint16_t>({1, 2, 3, 4}));
    Read(path, LoadAnswer{2, 2, 0, true, -4});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"跳过字节数无效：-4");
    EXPECT_EQ(gCVSGetFileType(id), FileNothing);
}

TEST_F(RawReadTest, MissingFileIsToldAndShownAsZeros)
{
    Read(Path("absent.raw"), LoadAnswer{3, 2, 1});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"文件不存在");
    EXPECT_EQ(gCVSGetFileType(id), FileFloat);
    EXPECT_EQ(OriValues(id), std::vector<float>(6, 0.0f));
}

TEST_F(RawReadTest, AFolderIsNotReadAsZeros)
{
    std::filesystem::create_directory(TestHome::path() / "dir.raw");
    Read(Path("dir.raw"), LoadAnswer{2, 2, 0});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"无法读取文件");
    EXPECT_EQ(gCVSGetFileType(id), FileNothing);
}

TEST_F(RawReadTest, CancelledDialogChangesNothing)
{
    ShowSomething();
    const std::wstring path = Path("c.raw");
    WriteFile(path, Bytes<std::uint16_t>({1, 2, 3, 4}));
    Read(path, std::nullopt);
    EXPECT_EQ(dialogs, 1);
    ExpectSomethingKept();
    EXPECT_EQ(gCVSGetCanvasWidth(id), 2);
    EXPECT_TRUE(messages.empty());
}

} // namespace
