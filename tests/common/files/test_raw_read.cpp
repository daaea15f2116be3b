#include "FileIoTestTools.h"

#include "pixorama/common/RawFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace fileio_test;

namespace {

using UsImage = ClassData2DIO<unsigned short>;

UsImage prefilled(int w, int h, unsigned short value = 7)
{
    UsImage image;
    image.SetDim(w, h);
    for (int i = 0; i < w * h; ++i)
        image.data[i] = value;
    return image;
}

TEST(RawRead, ShortValuesBecomeOffsetBinary)
{
    const std::string path = homeFile("s.raw");
    writeValues<std::int16_t>(path, {-32768, -1, 0, 32767, 100, -100});
    UsImage image = prefilled(3, 2);
    MessageRecorder messages;
    EXPECT_TRUE(ReadUsDataShort(image, path.c_str()));
    EXPECT_EQ(pixelsOf(image), (std::vector<unsigned short>{0, 32767, 32768, 65535, 32868, 32668}));
    EXPECT_TRUE(messages.texts.empty());
}

TEST(RawRead, FileSizeNeverDecidesHowMuchIsWritten)
{
    const std::string path = homeFile("long.raw");
    // Longer than the image: only width x height values are taken.
    writeValues<std::int16_t>(path, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    UsImage image = prefilled(2, 2);
    ASSERT_TRUE(ReadUsDataShort(image, path.c_str()));
    EXPECT_EQ(pixelsOf(image), (std::vector<unsigned short>{32769, 32770, 32771, 32772}));

    // Shorter (two values and half of a third): the rest converts from zero.
    const std::vector<unsigned char> shortFile{5, 0, 6, 0, 9};
    writeBytes(path, shortFile.data(), shortFile.size());
    image = prefilled(2, 2);
    ASSERT_TRUE(ReadUsDataShort(image, path.c_str()));
    EXPECT_EQ(pixelsOf(image), (std::vector<unsigned short>{32773, 32774, 32768, 32768}));
}

TEST(RawRead, MissingFileShowsTheMessageAndConvertsZeros)
{
    const std::string path = homeFile("absent.raw");
    MessageRecorder messages;
    UsImage image = prefilled(3, 3);
    EXPECT_TRUE(ReadUsDataShort(image, path.c_str()));
    EXPECT_EQ(messages.texts, std::vector<std::wstring>{L"文件不存在"});
    EXPECT_EQ(pixelsOf(image), std::vector<unsigned short>(9, 32768));

    image = prefilled(3, 3);
    EXPECT_TRUE(ReadUsDataChar(image, path.c_str()));
    EXPECT_EQ(pixelsOf(image), std::vector<unsigned short>(9, 0));

    image = prefilled(3, 3);
    EXPECT_TRUE(ReadUsDataFloat(image, path.c_str(), 0.0f, 1.0f));
    EXPECT_EQ(pixelsOf(image), std::vector<unsigned short>(9, 0));

    ClassData2DIO<float> floats;
    fillImage<float>(floats, 2, 2, {1, 2, 3, 4});
    EXPECT_TRUE(floats.ReadRaw(path.c_str()));
    EXPECT_EQ(pixelsOf(floats), std::vector<float>(4, 0.0f));
    EXPECT_EQ(messages.texts.size(), 4u);
}

TEST(RawRead, FolderInsteadOfFileIsSkippedSilently)
{
    std::filesystem::create_directory(homeFile("folder.raw"));
    MessageRecorder messages;
    UsImage image = prefilled(2, 2);
    EXPECT_TRUE(ReadUsDataShort(image, homeFile("folder.raw").c_str()));
    EXPECT_EQ(pixelsOf(image), std::vector<unsigned short>(4, 32768));
    EXPECT_TRUE(messages.texts.empty());
}

TEST(RawRead, BytesAreStoredUnchanged)
{
    const std::string path = homeFile("c.raw");
    writeValues<unsigned char>(path, {0, 1, 127, 128, 254, 255, 42});
    UsImage image = prefilled(3, 2);
    ASSERT_TRUE(ReadUsDataChar(image, path.c_str()));
    EXPECT_EQ(pixelsOf(image), (std::vector<unsigned short>{0, 1, 127, 128, 254, 255}));

    writeValues<unsigned char>(path, {200});
    image = prefilled(3, 2);
    ASSERT_TRUE(ReadUsDataChar(image, path.c_str()));
    EXPECT_EQ(pixelsOf(image), (std::vector<unsigned short>{200, 0, 0, 0, 0, 0}));
}

TEST(RawRead, FloatsScaleBetweenLowAndHigh)
{
    const std::string path = homeFile("f.raw");
    writeValues<float>(path, {0.5f, 0.0f, 1.0f, 0.25f, 2.0f, -0.5f, std::nanf(""), 0.75f});
    UsImage image = prefilled(4, 2);
    ASSERT_TRUE(ReadUsDataFloat(image, path.c_str(), 0.0f, 1.0f));
    // Out of range values keep the low 16 bits of the truncated integer:
    // 131070 -> 65534, -32767 -> 32769; NaN has no integer and gives 0.
    EXPECT_EQ(pixelsOf(image), (std::vector<unsigned short>{32767, 0, 65535, 16383, 65534, 32769, 0, 49151}));

    writeValues<float>(path, {-1.0f, 1.0f, 0.0f, -3.0f});
    image = prefilled(2, 2);
    ASSERT_TRUE(ReadUsDataFloat(image, path.c_str(), -1.0f, 1.0f));
    EXPECT_EQ(pixelsOf(image), (std::vector<unsigned short>{0, 65535, 32767, 1}));
}

TEST(RawRead, EqualLowAndHighIsRefusedWithoutTouchingTheImage)
{
    const std::string path = homeFile("f.raw");
    writeValues<float>(path, {0.5f, 0.5f});
    MessageRecorder messages;
    UsImage image = prefilled(2, 1, 1234);
    EXPECT_FALSE(ReadUsDataFloat(image, path.c_str(), 3.0f, 3.0f));
    EXPECT_FALSE(ReadUsDataFloat(image, path.c_str(), 3.0f, 3.00005f));
    EXPECT_EQ(pixelsOf(image), (std::vector<unsigned short>{1234, 1234}));
    EXPECT_FALSE(ReadUsDataFloat(image, homeFile("absent.raw").c_str(), 1.0f, 1.0f));
    EXPECT_TRUE(messages.texts.empty());
}

TEST(RawRead, FloatImageReadsItsOwnSize)
{
    const std::string path = homeFile("img.raw");
    writeValues<float>(path, {1.5f, -2.0f, 3.25f, 1e30f, 9.0f, 9.0f});
    ClassData2DIO<float> image;
    image.SetDim(2, 2);
    ASSERT_TRUE(image.ReadRaw(path.c_str()));
    EXPECT_EQ(pixelsOf(image), (std::vector<float>{1.5f, -2.0f, 3.25f, 1e30f}));

    writeValues<float>(path, {8.0f});
    image.SetDim(3, 1);
    image.data[1] = image.data[2] = 5.0f;
    ASSERT_TRUE(image.ReadRaw(path.c_str()));
    EXPECT_EQ(pixelsOf(image), (std::vector<float>{8.0f, 0.0f, 0.0f}));
}

TEST(RawRead, LargeImagesSpanSeveralReadChunks)
{
    // More than a megabyte of every element type, with a short tail.
    const int w = 1024, h = 1100;
    const std::size_t n = std::size_t(w) * h;
    std::vector<std::int16_t> shorts(n - 3);
    std::vector<unsigned char> bytes(n - 3);
    std::vector<float> floats(n - 3);
    for (std::size_t i = 0; i < n - 3; ++i) {
        shorts[i] = static_cast<std::int16_t>(i * 37);
        bytes[i] = static_cast<unsigned char>(i * 13);
        floats[i] = float(i % 1000) / 1000.0f;
    }
    UsImage image = prefilled(w, h);

    writeValues(homeFile("s.raw"), shorts);
    ASSERT_TRUE(ReadUsDataShort(image, homeFile("s.raw").c_str()));
    for (std::size_t i : {std::size_t(0), std::size_t(524287), std::size_t(524288), std::size_t(1048576), n - 4})
        EXPECT_EQ(image.data[i], static_cast<unsigned short>(shorts[i] + 32768)) << i;
    EXPECT_EQ(image.data[n - 1], 32768);

    writeValues(homeFile("c.raw"), bytes);
    ASSERT_TRUE(ReadUsDataChar(image, homeFile("c.raw").c_str()));
    for (std::size_t i : {std::size_t(0), std::size_t(1048575), std::size_t(1048576), n - 4})
        EXPECT_EQ(image.data[i], bytes[i]) << i;
    EXPECT_EQ(image.data[n - 1], 0);

    writeValues(homeFile("f.raw"), floats);
    ASSERT_TRUE(ReadUsDataFloat(image, homeFile("f.raw").c_str(), 0.0f, 1.0f));
    for (std::size_t i : {std::size_t(1), std::size_t(262143), std::size_t(262144), std::size_t(600001), n - 4})
        EXPECT_EQ(image.data[i], static_cast<unsigned short>(std::int64_t(floats[i] * 65535.0f))) << i;
    EXPECT_EQ(image.data[n - 1], 0);
}

} // namespace
