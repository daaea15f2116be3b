// Headerless raw frames: the bytes written for every pixel type and byte
// order, reading them back whole, after a header and as a span, and what a
// missing, short or unusable file gives.

#include "FileIoTestTools.h"

#include "pixorama/common/RawFrame.h"
#include "pixorama/platform/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>

using namespace fileio_test;

namespace {

ClassData2DIO<float> frameOf(int w, int h, const std::vector<float>& values)
{
    ClassData2DIO<float> image;
    fillImage(image, w, h, values);
    return image;
}

CString wide(const std::string& path)
{
    return plat::toWide(path);
}

struct TypeCase {
    int pixelType;
    std::vector<float> written; // what a 3 x 1 frame of {-1.5, 300.75, 70000} keeps
    std::vector<unsigned char> firstBigEndian; // the bytes of -1.5, big-endian
};

TEST(RawFrame, EveryTypeAndByteOrderWritesItsBytesAndReadsThemBack)
{
    const std::vector<TypeCase> cases = {
        {0, {0, 300, 65535}, {0x00, 0x00}},
        {1, {-1.5f, 300.75f, 70000}, {0xBF, 0xC0, 0x00, 0x00}},
        {2, {-1, 300, 32767}, {0xFF, 0xFF}},
        {3, {0, 255, 255}, {0x00}},
        {4, {-1, 300, 70000}, {0xFF, 0xFF, 0xFF, 0xFF}},
        {5, {-1.5f, 300.75f, 70000}, {0xBF, 0xF8, 0, 0, 0, 0, 0, 0}},
    };
    const ClassData2DIO<float> source = frameOf(3, 1, {-1.5f, 300.75f, 70000});
    for (const TypeCase& c : cases) {
        for (bool little : {true, false}) {
            SCOPED_TRACE(testing::Message() << "type " << c.pixelType << (little ? " little" : " big"));
            const std::string path = homeFile("f.raw");
            const RawLayout layout{3, 1, c.pixelType, little};
            ASSERT_TRUE(WriteRawFrame(path, source, layout));
            const std::vector<unsigned char> bytes = readBytes(path);
            ASSERT_EQ(bytes.size(), std::size_t(3 * layout.ElementBytes()));
            std::vector<unsigned char> first(bytes.begin(), bytes.begin() + layout.ElementBytes());
            if (little)
                std::reverse(first.begin(), first.end());
            EXPECT_EQ(first, c.firstBigEndian);

            ClassData2DIO<float> back;
            EXPECT_EQ(ReadRawFrame(wide(path), layout, back), FrameStatus::Ok);
            EXPECT_EQ(back.width, 3);
            EXPECT_EQ(back.height, 1);
            EXPECT_EQ(pixelsOf(back), c.written);

            std::vector<float> span(2, -7.0f);
            EXPECT_EQ(ReadRawSpan(wide(path), layout, 1, span.data(), 2), FrameStatus::Ok);
            EXPECT_EQ(span, (std::vector<float>{c.written[1], c.written[2]}));
        }
    }
}

TEST(RawFrame, HeaderBytesAreSkippedAndDoublesBeyondFloatBecomeInfinite)
{
    const std::string path = homeFile("header.raw");
    std::vector<unsigned char> bytes(5, 0xAA); // a 5-byte header
    for (double v : {2.5, 1e300, -1e300, 3.0}) {
        unsigned char b[8];
        std::memcpy(b, &v, 8);
        bytes.insert(bytes.end(), b, b + 8);
    }
    writeBytes(path, bytes.data(), bytes.size());
    const RawLayout layout{2, 2, 5, true, 5};
    EXPECT_EQ(layout.FrameBytes(), std::int64_t(bytes.size()));
    ClassData2DIO<float> image;
    ASSERT_EQ(ReadRawFrame(wide(path), layout, image), FrameStatus::Ok);
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(pixelsOf(image), (std::vector<float>{2.5f, inf, -inf, 3.0f}));
    float last = 0;
    EXPECT_EQ(ReadRawSpan(wide(path), layout, 3, &last, 1), FrameStatus::Ok);
    EXPECT_EQ(last, 3.0f);
}

TEST(RawFrame, UnreadableFilesGiveZerosAndBadLayoutsLeaveTheImage)
{
    const std::string path = homeFile("short.raw");
    writeValues<std::uint16_t>(path, {1, 2, 3});
    ClassData2DIO<float> image = frameOf(2, 2, {9, 9, 9, 9});
    const RawLayout layout{2, 2, 0, true};
    EXPECT_EQ(ReadRawFrame(wide(path), layout, image), FrameStatus::Short);
    EXPECT_EQ(pixelsOf(image), (std::vector<float>{0, 0, 0, 0}));
    std::vector<float> span{9, 9};
    EXPECT_EQ(ReadRawSpan(wide(path), layout, 2, span.data(), 2), FrameStatus::Short);
    EXPECT_EQ(span, (std::vector<float>{0, 0}));
    EXPECT_EQ(ReadRawFrame(wide(homeFile("none.raw")), layout, image), FrameStatus::Missing);
    EXPECT_EQ(ReadRawFrame(wide(TestHome::path().string()), layout, image), FrameStatus::CannotOpen);

    image = frameOf(2, 2, {9, 9, 9, 9});
    EXPECT_EQ(ReadRawFrame(wide(path), RawLayout{0, 2, 0, true}, image), FrameStatus::BadSize);
    EXPECT_EQ(ReadRawFrame(wide(path), RawLayout{65536, 65536, 0, true}, image), FrameStatus::BadSize);
    EXPECT_EQ(ReadRawFrame(wide(path), RawLayout{2, 2, 6, true}, image), FrameStatus::BadType);
    EXPECT_EQ(ReadRawFrame(wide(path), RawLayout{2, 2, 0, true, -1}, image), FrameStatus::BadSkip);
    EXPECT_EQ(pixelsOf(image), (std::vector<float>{9, 9, 9, 9}));
    EXPECT_FALSE(WriteRawFrame(homeFile("bad.raw"), image, RawLayout{2, 2, 6, true}));
    EXPECT_FALSE(std::filesystem::exists(homeFile("bad.raw")));
}

} // namespace
