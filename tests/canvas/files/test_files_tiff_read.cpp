#include "PictureFileWriters.h"
#include "test_files_fixture.h"

#include "CanvasPictureReader.h"
#include "PictureProbe.h"
#include "TiffDecoder.h"

#include <cmath>
#include <limits>

namespace {

struct SampleType {
    const char* name;
    int bits;
    int format;
};

// A value of each type that tells pixels apart and is a float exactly.
double sampleValue(const SampleType& t, int page, int x, int y)
{
    const int k = x * 23 + y * 31 + page * 7;
    if (t.format == SAMPLEFORMAT_IEEEFP)
        return t.bits == 32 ? double(std::ldexp(float(k) - 300.0f, -3) * 1.0000001f) : (k - 400) * 0.125;
    if (t.bits == 8)
        return t.format == SAMPLEFORMAT_INT ? k % 256 - 128 : k % 256;
    if (t.bits == 16)
        return t.format == SAMPLEFORMAT_INT ? -32768 + k * 41 : 65535 - k * 41;
    // Beyond 2^24 floats step by 256: these land on steps.
    return t.format == SAMPLEFORMAT_INT ? -2000000000.0 + k * 256.0 * 977 : 4000000000.0 - k * 256.0 * 977;
}

const SampleType greyTypes[] = {
    {"u8", 8, SAMPLEFORMAT_UINT},     {"s8", 8, SAMPLEFORMAT_INT},       {"u16", 16, SAMPLEFORMAT_UINT},
    {"s16", 16, SAMPLEFORMAT_INT},    {"u32", 32, SAMPLEFORMAT_UINT},    {"s32", 32, SAMPLEFORMAT_INT},
    {"f32", 32, SAMPLEFORMAT_IEEEFP}, {"f64", 64, SAMPLEFORMAT_IEEEFP},
};

const int compressions[] = {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE, COMPRESSION_PACKBITS};

// Sets a SHORT or LONG tag of the first directory of a little-endian TIFF.
void setLittleEndianTag(std::vector<std::uint8_t>& file, int tag, std::uint32_t value)
{
    const auto read = [&](std::size_t at, int bytes) {
        std::uint32_t v = 0;
        for (int i = bytes - 1; i >= 0; --i)
            v = v << 8 | file.at(at + std::size_t(i));
        return v;
    };
    const std::size_t directory = read(4, 4);
    const std::uint32_t entries = read(directory, 2);
    for (std::uint32_t e = 0; e < entries; ++e) {
        const std::size_t at = directory + 2 + 12 * e;
        if (read(at, 2) != std::uint32_t(tag))
            continue;
        const int bytes = read(at + 2, 2) == TIFF_SHORT ? 2 : 4;
        for (int i = 0; i < bytes; ++i)
            file.at(at + 8 + std::size_t(i)) = std::uint8_t(value >> (8 * i));
        return;
    }
    ADD_FAILURE() << "no tag " << tag;
}

class TiffReadTest : public FilesTest {
protected:
    static std::string File(const std::string& name) { return (TestHome::path() / name).string(); }

    static DecodedPicture Decode(const std::string& path, int page = 0)
    {
        const std::vector<std::uint8_t> bytes = fileBytes(path);
        return TiffDecoder::Decode(bytes.data(), bytes.size(), page);
    }
};

TEST_F(TiffReadTest, EveryGreyDepthLayoutCompressionAndByteOrderReadsBackExactly)
{
    for (const SampleType& type : greyTypes)
        for (const int compression : compressions)
            for (const int tile : {0, 16})
                for (const bool big : {false, true}) {
                    TiffLayout layout;
                    layout.bits = type.bits;
                    layout.format = type.format;
                    layout.compression = compression;
                    layout.tile = tile;
                    layout.bigEndian = big;
                    const std::string path = File("grey.tif");
                    SCOPED_TRACE(std::string(type.name) + " compression " + std::to_string(compression)
                                 + (tile ? " tiles" : " strips") + (big ? " big-endian" : " little-endian"));
                    ASSERT_TRUE(writeTiff(path, layout, 1, [&](int p, int x, int y, int) { return sampleValue(type, p, x, y); }));
                    const DecodedPicture picture = Decode(path);
                    ASSERT_TRUE(picture.Decoded()) << std::string(picture.message.begin(), picture.message.end());
                    ASSERT_EQ(picture.width, layout.width);
                    ASSERT_EQ(picture.height, layout.height);
                    EXPECT_TRUE(picture.warnings.empty());
                    // Unsigned 8-bit grey is an 8-bit picture; the rest keep their values as floats.
                    const bool eightBit = type.bits == 8 && type.format == SAMPLEFORMAT_UINT;
                    ASSERT_EQ(picture.grey.size(), eightBit ? picture.PixelCount() : 0u);
                    ASSERT_EQ(picture.values.size(), eightBit ? 0u : picture.PixelCount());
                    for (int y = 0; y < layout.height; ++y)
                        for (int x = 0; x < layout.width; ++x) {
                            const std::size_t i = std::size_t(y) * layout.width + x;
                            const double want = sampleValue(type, 0, x, y);
                            if (eightBit)
                                ASSERT_EQ(picture.grey[i], want) << x << "," << y;
                            else
                                ASSERT_EQ(picture.values[i], float(want)) << x << "," << y;
                        }
                }
}

TEST_F(TiffReadTest, RgbOfEightAndSixteenBitsInBothLayoutsIsColour)
{
    for (const int bits : {8, 16})
        for (const int planar : {PLANARCONFIG_CONTIG, PLANARCONFIG_SEPARATE})
            for (const int compression : {COMPRESSION_NONE, COMPRESSION_LZW})
                for (const int tile : {0, 16}) {
                    TiffLayout layout;
                    layout.bits = bits;
                    layout.samples = 3;
                    layout.photometric = PHOTOMETRIC_RGB;
                    layout.planar = planar;
                    layout.compression = compression;
                    layout.tile = tile;
                    SCOPED_TRACE(std::to_string(bits) + " bits, planar " + std::to_string(planar) + ", tile " + std::to_string(tile));
                    const int scale = bits == 8 ? 1 : 257;
                    const std::string path = File("rgb.tif");
                    ASSERT_TRUE(writeTiff(path, layout, 1, [&](int, int x, int y, int c) {
                        return double(((x * 5 + y * 3 + c * 80) % 256) * scale);
                    }));
                    const DecodedPicture picture = Decode(path);
                    ASSERT_EQ(picture.colour.size(), picture.PixelCount());
                    for (int y = 0; y < layout.height; ++y)
                        for (int x = 0; x < layout.width; ++x) {
                            const auto level = [&](int c) { return std::uint32_t((x * 5 + y * 3 + c * 80) % 256); };
                            ASSERT_EQ(picture.colour[std::size_t(y) * layout.width + x], level(0) << 16 | level(1) << 8 | level(2))
                                << x << "," << y;
                        }
                }
}

TEST_F(TiffReadTest, FloatTiffOpensOnTheFloatDisplayWithItsValues)
{
    const TiffLayout layout{.bits = 32, .format = SAMPLEFORMAT_IEEEFP, .compression = COMPRESSION_ADOBE_DEFLATE};
    ASSERT_TRUE(writeTiff(File("recon.tif"), layout, 1, [](int, int x, int y, int) { return x * 0.5 - y * 1.25; }));
    std::wstring path = Path("recon.tif");
    gCVSReadFile(4, path, true);
    EXPECT_EQ(gCVSGetFileType(4), FileFloat);
    ASSERT_EQ(gCVSGetRawOri(4).width, 37);
    EXPECT_EQ(gCVSGetRawOri(4).rows[22][36], float(36 * 0.5 - 22 * 1.25));
    EXPECT_EQ(gCVSGetRawOri(4).rows[3][7], float(7 * 0.5 - 3 * 1.25));
    EXPECT_TRUE(messages.empty());
}

TEST_F(TiffReadTest, NotANumberAndInfinityShowAsTheLowestValueAndAreCounted)
{
    const TiffLayout layout{.width = 4, .height = 2, .bits = 32, .format = SAMPLEFORMAT_IEEEFP};
    const double inf = std::numeric_limits<double>::infinity();
    const double values[2][4] = {{1.0, std::nan(""), 3.0, inf}, {-inf, 2.0, -5.0, 10.0}};
    ASSERT_TRUE(writeTiff(File("holes.tif"), layout, 1, [&](int, int x, int y, int) { return values[y][x]; }));
    std::wstring path = Path("holes.tif");
    gCVSReadFile(4, path, true);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"图像中有 3 个无效值（NaN 或无穷大），显示为最小值");
    const ClassData2DIO<float>& ori = gCVSGetRawOri(4);
    EXPECT_EQ(ori.rows[0][1], -5.0f);
    EXPECT_EQ(ori.rows[0][3], -5.0f);
    EXPECT_EQ(ori.rows[1][0], -5.0f);
    EXPECT_EQ(ori.rows[1][3], 10.0f);
    // The window spans the finite values: the largest shows white.
    EXPECT_EQ(gCVSGetRaw(4).rows[1][3], 65535.0f);
    EXPECT_EQ(gCVSGetRaw(4).rows[1][2], 0.0f);
}

TEST_F(TiffReadTest, APageIsChosenByItsNumberAfterTheName)
{
    const TiffLayout layout{.width = 3, .height = 2};
    ASSERT_TRUE(writeTiff(File("stack.tif"), layout, 3, [](int page, int x, int, int) { return 1000.0 * (page + 1) + x; }));
    std::wstring first = Path("stack.tif");
    gCVSReadFile(4, first, true);
    EXPECT_EQ(gCVSGetRawOri(4).rows[0][2], 1002.0f);
    std::wstring third = Path("stack.tif#3");
    gCVSReadFile(4, third, true);
    EXPECT_EQ(gCVSGetRawOri(4).rows[0][2], 3002.0f);
    EXPECT_TRUE(messages.empty());
    std::wstring missing = Path("stack.tif#4");
    gCVSReadFile(4, missing, true);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"TIFF 文件没有第 4 页（共 3 页）");
    EXPECT_EQ(gCVSGetRawOri(4).rows[0][2], 3002.0f); // the page shown stays
    EXPECT_EQ(Decode(File("stack.tif"), 1).pages, 3);
}

TEST_F(TiffReadTest, ContentDecidesWhateverTheName)
{
    const TiffLayout layout{.width = 2, .height = 2};
    ASSERT_TRUE(writeTiff(File("frame"), layout, 1, [](int, int x, int y, int) { return 100.0 + x + 10 * y; }));
    ASSERT_TRUE(writeTiff(File("frame.raw"), layout, 1, [](int, int x, int y, int) { return 100.0 + x + 10 * y; }));
    ASSERT_TRUE(writeTiff(File("frame.png"), layout, 1, [](int, int x, int y, int) { return 100.0 + x + 10 * y; }));
    for (const char* name : {"frame", "frame.raw", "frame.png"}) {
        SCOPED_TRACE(name);
        std::wstring path = Path(name);
        gCVSReadFile(4, path, true);
        EXPECT_EQ(gCVSGetFileType(4), FileFloat);
        EXPECT_EQ(gCVSGetRawOri(4).rows[1][1], 111.0f);
    }
    // No raw-load dialog was needed.
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(TiffReadTest, MinIsWhiteShowsLowValuesBright)
{
    const TiffLayout layout{.width = 2, .height = 1, .photometric = PHOTOMETRIC_MINISWHITE};
    ASSERT_TRUE(writeTiff(File("white.tif"), layout, 1, [](int, int x, int, int) { return x ? 4000.0 : 0.0; }));
    std::wstring path = Path("white.tif");
    gCVSReadFile(4, path, true);
    const unsigned* pixels = gCVSGetCanvasPixelPtr(4);
    EXPECT_EQ(pixels[0] & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(pixels[1] & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(gCVSGetRawOri(4).rows[0][1], 4000.0f);
}

TEST_F(TiffReadTest, HostileHeadersAreRefusedBeforeDecoding)
{
    // 30000 x 30000 16-bit deflate that holds one row: the header alone
    // asks for 1.8 GB of pixels.
    ASSERT_TRUE(writeHugeTiff(File("bomb.tif"), 30000, 1));
    std::wstring path = Path("bomb.tif");
    gCVSReadFile(4, path, true);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"图像太大：宽度 30000，高度 30000");
    EXPECT_EQ(gCVSGetFileType(4), FileNothing);

    // 8000 x 8000 within the limits, but the file holds one deflated row:
    // even deflate's best ratio cannot make 128 MB of it.
    ASSERT_TRUE(writeHugeTiff(File("stored.tif"), 8000, 1));
    const std::vector<std::uint8_t> stored = fileBytes(File("stored.tif"));
    const DecodedPicture small = TiffDecoder::Decode(stored.data(), stored.size());
    EXPECT_EQ(small.message, L"图像文件太小，容纳不下宽度 8000，高度 8000 的图像");

    // A size that fits the pixel limit but not the memory there is.
    const TiffLayout layout{.width = 1000, .height = 1000};
    ASSERT_TRUE(writeTiff(File("big.tif"), layout, 1, [](int, int, int, int) { return 1.0; }));
    PictureProbe::SetAvailableMemoryForTesting(1 << 20);
    const DecodedPicture refused = Decode(File("big.tif"));
    PictureProbe::SetAvailableMemoryForTesting(0);
    EXPECT_EQ(refused.message, L"图像需要约 20 MB 内存，可用 1 MB");
    EXPECT_TRUE(Decode(File("big.tif")).Decoded());

    // A small tiled picture whose header states 65520 x 65520 tiles: one
    // tile would take 8 GB.
    ASSERT_TRUE(writeTiff(File("tiles.tif"), TiffLayout{.tile = 16}, 1, [](int, int, int, int) { return 1.0; }));
    std::vector<std::uint8_t> tiles = fileBytes(File("tiles.tif"));
    EXPECT_TRUE(TiffDecoder::Decode(tiles.data(), tiles.size()).Decoded());
    setLittleEndianTag(tiles, TIFFTAG_TILEWIDTH, 65520);
    setLittleEndianTag(tiles, TIFFTAG_TILELENGTH, 65520);
    EXPECT_EQ(TiffDecoder::Decode(tiles.data(), tiles.size()).message, L"无法读取 TIFF 文件：分块尺寸无效");
}

TEST_F(TiffReadTest, TruncatedTiffShowsWhatThereIsWithAWarning)
{
    const TiffLayout layout{.width = 64, .height = 64, .compression = COMPRESSION_ADOBE_DEFLATE, .rowsPerStrip = 8};
    // The directory goes last: cutting the file would drop it, so the cut
    // is a strip's bytes overwritten with garbage instead.
    ASSERT_TRUE(writeTiff(File("cut.tif"), layout, 1, [](int, int x, int y, int) { return 1.0 + x + y; }));
    std::vector<std::uint8_t> bytes = fileBytes(File("cut.tif"));
    for (std::size_t i = 8; i < 40; ++i)
        bytes[i] = 0xA5;
    const DecodedPicture picture = TiffDecoder::Decode(bytes.data(), bytes.size());
    ASSERT_TRUE(picture.Decoded());
    ASSERT_EQ(picture.warnings.size(), 1u);
    EXPECT_EQ(picture.warnings[0], L"图像文件不完整：有些部分无法解码，显示为黑色");
    EXPECT_EQ(picture.values.back(), 127.0f);

    // Nothing but a header.
    const std::uint8_t header[] = {'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0};
    EXPECT_FALSE(TiffDecoder::Decode(header, sizeof header).Decoded());
}

} // namespace
