#include "FileIoTestTools.h"

#include "pixorama/common/BitmapFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

using namespace fileio_test;

namespace {

using Plane = ClassData2DIO<unsigned char>;

void put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + std::size_t(i)] = static_cast<unsigned char>(v >> (8 * i));
}

// A bitmap header (and a grey palette for 8 bits) followed by pixel bytes.
std::vector<unsigned char> craftBitmap(std::int32_t width, std::int32_t height, int bits,
                                       const std::vector<unsigned char>& pixels)
{
    const std::size_t offset = bits == 8 ? 1078 : 54;
    std::vector<unsigned char> b(offset + pixels.size(), 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, std::uint32_t(offset + pixels.size()));
    put32(b, 10, std::uint32_t(offset));
    put32(b, 14, 40);
    put32(b, 18, std::uint32_t(width));
    put32(b, 22, std::uint32_t(height));
    b[26] = 1;
    b[28] = static_cast<unsigned char>(bits);
    b[29] = static_cast<unsigned char>(bits >> 8);
    if (bits == 8)
        for (int i = 0; i < 256; ++i)
            b[54 + 4 * std::size_t(i)] = b[55 + 4 * std::size_t(i)] = b[56 + 4 * std::size_t(i)] = static_cast<unsigned char>(255 - i);
    std::copy(pixels.begin(), pixels.end(), b.begin() + std::ptrdiff_t(offset));
    return b;
}

std::vector<unsigned char> firstBytes(std::vector<unsigned char> bytes, std::size_t n)
{
    bytes.resize(n);
    return bytes;
}

std::string writeBitmap(const std::string& name, const std::vector<unsigned char>& bytes)
{
    const std::string path = homeFile(name);
    writeBytes(path, bytes.data(), bytes.size());
    return path;
}

struct Planes {
    Plane r, g, b, a;
    bool read(const std::string& path) { return QEVReadColorBmp(path.c_str(), &r, &g, &b, &a); }
    // The planes hold something, as a caller's containers would.
    void prefill()
    {
        for (Plane* p : {&r, &g, &b, &a})
            fillImage<unsigned char>(*p, 2, 2, {9, 9, 9, 9});
    }
    bool allEmpty() const
    {
        for (const Plane* p : {&r, &g, &b, &a})
            if (p->width != 0 || p->height != 0)
                return false;
        return true;
    }
};

TEST(BitmapRead, ColourRoundTripKeepsValuesAndRowOrder)
{
    Plane r, g, b;
    std::vector<unsigned char> rv, gv, bv;
    for (int i = 0; i < 7 * 5; ++i) {
        rv.push_back(static_cast<unsigned char>(i * 3));
        gv.push_back(static_cast<unsigned char>(255 - i));
        bv.push_back(static_cast<unsigned char>(i * 11 + 1));
    }
    fillImage(r, 7, 5, rv);
    fillImage(g, 7, 5, gv);
    fillImage(b, 7, 5, bv);
    const std::string path = homeFile("round.bmp");
    ASSERT_TRUE(QEVSaveColorBmp(path.c_str(), &r, &g, &b));

    Planes in;
    in.prefill();
    ASSERT_TRUE(in.read(path));
    EXPECT_EQ(in.r.width, 7);
    EXPECT_EQ(in.r.height, 5);
    EXPECT_EQ(pixelsOf(in.r), rv);
    EXPECT_EQ(pixelsOf(in.g), gv);
    EXPECT_EQ(pixelsOf(in.b), bv);
    // Alpha is sized, never filled.
    EXPECT_EQ(pixelsOf(in.a), std::vector<unsigned char>(35, 0));

    // Reading again into planes of the same size replaces everything.
    for (Plane* p : {&in.r, &in.g, &in.b, &in.a}) {
        std::fill(p->data, p->data + 35, 9);
        p->roi = {1, 1, 2, 2};
    }
    ASSERT_TRUE(in.read(path));
    EXPECT_EQ(pixelsOf(in.r), rv);
    EXPECT_EQ(pixelsOf(in.b), bv);
    EXPECT_EQ(pixelsOf(in.a), std::vector<unsigned char>(35, 0));
    EXPECT_EQ(in.a.roi.right, 6);
    EXPECT_EQ(in.a.roi.bottom, 4);
    EXPECT_EQ(in.r.roi.left, 0);
}

TEST(BitmapRead, GreyPixelsAreTheirOwnLevelWhateverThePalette)
{
    // The crafted palette is inverted; the reader ignores it.
    const std::string path = writeBitmap("grey.bmp", craftBitmap(3, 2, 8, {0, 100, 255, 0, 7, 8, 9, 0}));
    Planes in;
    ASSERT_TRUE(in.read(path));
    const std::vector<unsigned char> expected{0, 100, 255, 7, 8, 9};
    EXPECT_EQ(pixelsOf(in.r), expected);
    EXPECT_EQ(pixelsOf(in.g), expected);
    EXPECT_EQ(pixelsOf(in.b), expected);

    Plane grey;
    ASSERT_TRUE(QEVReadGrayBmp(path.c_str(), &grey));
    EXPECT_EQ(grey.width, 3);
    EXPECT_EQ(grey.height, 2);
    EXPECT_EQ(grey.rows[0][2], 255);
    EXPECT_EQ(grey.rows[1][0], 7);
}

TEST(BitmapRead, ThirtyTwoBitPixelsDropTheFourthByte)
{
    const std::string path = writeBitmap("rgbx.bmp", craftBitmap(2, 1, 32, {1, 2, 3, 99, 4, 5, 6, 98}));
    Planes in;
    ASSERT_TRUE(in.read(path));
    EXPECT_EQ(pixelsOf(in.b), (std::vector<unsigned char>{1, 4}));
    EXPECT_EQ(pixelsOf(in.g), (std::vector<unsigned char>{2, 5}));
    EXPECT_EQ(pixelsOf(in.r), (std::vector<unsigned char>{3, 6}));
    EXPECT_EQ(pixelsOf(in.a), (std::vector<unsigned char>{0, 0}));
}

TEST(BitmapRead, OtherDepthsGiveZeroPlanesOfTheRightSize)
{
    // 16 bits, 3 wide: stride 8, two rows present.
    const std::string path = writeBitmap("sixteen.bmp", craftBitmap(3, 2, 16, std::vector<unsigned char>(16, 0xAB)));
    Planes in;
    in.prefill();
    ASSERT_TRUE(in.read(path));
    EXPECT_EQ(pixelsOf(in.r), std::vector<unsigned char>(6, 0));
    EXPECT_EQ(pixelsOf(in.b), std::vector<unsigned char>(6, 0));
}

TEST(BitmapRead, TopDownBitmapKeepsFileRowOrder)
{
    const std::string path = writeBitmap("topdown.bmp", craftBitmap(1, -3, 24, {1, 1, 1, 0, 2, 2, 2, 0, 3, 3, 3, 0}));
    Planes in;
    ASSERT_TRUE(in.read(path));
    EXPECT_EQ(in.r.width, 1);
    EXPECT_EQ(in.r.height, 3);
    EXPECT_EQ(pixelsOf(in.r), (std::vector<unsigned char>{1, 2, 3}));
}

TEST(BitmapRead, UntrustworthyFilesAreRefusedAndThePlanesEmptied)
{
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
    };
    std::vector<Case> cases{
        {"short header", firstBytes(craftBitmap(2, 2, 24, {}), 40)},
        {"zero width", craftBitmap(0, 2, 24, std::vector<unsigned char>(64, 1))},
        {"negative width", craftBitmap(-4, 2, 24, std::vector<unsigned char>(64, 1))},
        {"zero height", craftBitmap(4, 0, 24, std::vector<unsigned char>(64, 1))},
        {"most negative height", craftBitmap(4, INT32_MIN, 24, std::vector<unsigned char>(64, 1))},
        {"huge size", craftBitmap(1 << 20, 1 << 20, 24, std::vector<unsigned char>(64, 1))},
        {"width times height past 32 bits", craftBitmap(INT32_MAX, 3, 8, std::vector<unsigned char>(64, 1))},
        {"stride overflow", craftBitmap(INT32_MAX, 1, 32, std::vector<unsigned char>(64, 1))},
        {"data past the end", craftBitmap(4, 4, 24, std::vector<unsigned char>(47, 1))},
        {"missing palette", firstBytes(craftBitmap(2, 2, 8, {}), 600)},
        {"palette but no rows", craftBitmap(2, 2, 8, {1, 2, 0, 0})},
        {"undecoded depth without data", craftBitmap(30000, 30000, 0, {})},
    };
    for (const Case& c : cases) {
        const std::string path = writeBitmap("bad.bmp", c.bytes);
        Planes in;
        in.prefill();
        EXPECT_FALSE(in.read(path)) << c.what;
        EXPECT_TRUE(in.allEmpty()) << c.what;

        Plane grey;
        fillImage<unsigned char>(grey, 2, 2, {9, 9, 9, 9});
        EXPECT_FALSE(QEVReadGrayBmp(path.c_str(), &grey)) << c.what;
        EXPECT_EQ(grey.width, 0) << c.what;
    }
}

TEST(BitmapRead, MissingFileIsReportedByBothReaders)
{
    const std::string path = homeFile("absent.bmp");
    Planes in;
    EXPECT_FALSE(in.read(path));
    Plane grey;
    EXPECT_FALSE(QEVReadGrayBmp(path.c_str(), &grey));
    EXPECT_EQ(grey.width, 0);
}

TEST(BitmapRead, GreyConversionWeighsTheChannels)
{
    Plane r, g, b, grey;
    fillImage<unsigned char>(r, 4, 1, {255, 0, 0, 10});
    fillImage<unsigned char>(g, 4, 1, {0, 255, 0, 20});
    fillImage<unsigned char>(b, 4, 1, {0, 0, 255, 30});
    ASSERT_TRUE(QEVColorToGray(&r, &g, &b, &grey));
    EXPECT_EQ(pixelsOf(grey), (std::vector<unsigned char>{76, 149, 29, 18}));

    Plane small;
    small.SetDim(3, 1);
    EXPECT_FALSE(QEVColorToGray(&r, &small, &b, &grey));
}

TEST(BitmapRead, ColourFileReadsAsGrey)
{
    Plane r, g, b;
    fillImage<unsigned char>(r, 2, 1, {255, 10});
    fillImage<unsigned char>(g, 2, 1, {0, 20});
    fillImage<unsigned char>(b, 2, 1, {0, 30});
    const std::string path = homeFile("c.bmp");
    ASSERT_TRUE(QEVSaveColorBmp(path.c_str(), &r, &g, &b));
    Plane grey;
    ASSERT_TRUE(QEVReadGrayBmp(path.c_str(), &grey));
    EXPECT_EQ(pixelsOf(grey), (std::vector<unsigned char>{76, 18}));
}

TEST(BitmapRead, LargeGreyRoundTripAcrossChunks)
{
    Plane grey;
    grey.SetDim(1023, 1400);
    for (int y = 0; y < grey.height; ++y)
        for (int x = 0; x < grey.width; ++x)
            grey.rows[y][x] = static_cast<unsigned char>((x ^ y) + y / 7);
    const std::string path = homeFile("big.bmp");
    ASSERT_TRUE(QEVSaveGrayBmp(path.c_str(), grey));
    Planes in;
    ASSERT_TRUE(in.read(path));
    EXPECT_EQ(pixelsOf(in.g), pixelsOf(grey));
}

} // namespace

TEST(BitmapRead, GreyReadMatchesTheColourReadThenConvertedForEveryDepth)
{
    // Every grey level, and colours that walk all three channels at once.
    std::vector<unsigned char> levels(256);
    for (int v = 0; v < 256; ++v)
        levels[std::size_t(v)] = static_cast<unsigned char>(v);
    std::vector<unsigned char> bgr, bgrx;
    for (int i = 0; i < 4096; ++i) {
        const unsigned char b = static_cast<unsigned char>(i * 7), g = static_cast<unsigned char>(i * 13 + 5),
                            r = static_cast<unsigned char>(i / 16 + i * 3);
        bgr.insert(bgr.end(), {b, g, r});
        bgrx.insert(bgrx.end(), {b, g, r, 77});
    }
    const struct {
        const char* name;
        int w, h, bits;
        const std::vector<unsigned char>* pixels;
    } cases[] = {{"grey.bmp", 16, 16, 8, &levels}, {"bgr.bmp", 64, 64, 24, &bgr}, {"bgrx.bmp", 64, 64, 32, &bgrx}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = writeBitmap(c.name, craftBitmap(c.w, c.h, c.bits, *c.pixels));
        Planes in;
        ASSERT_TRUE(in.read(path));
        Plane expected, grey;
        ASSERT_TRUE(QEVColorToGray(&in.r, &in.g, &in.b, &expected));
        ASSERT_TRUE(QEVReadGrayBmp(path.c_str(), &grey));
        EXPECT_EQ(pixelsOf(grey), pixelsOf(expected));
    }
}
