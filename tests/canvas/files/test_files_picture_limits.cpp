#include "test_files_fixture.h"

#include "CanvasPictureReader.h"
#include "PictureProbe.h"

#include <QBuffer>
#include <QImage>

#include <zlib.h>

namespace {

QByteArray encoded(const QImage& picture, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(picture.save(&buffer, format, 90));
    return bytes;
}

QImage pattern(int w, int h)
{
    QImage picture(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            picture.setPixel(x, y, qRgb((x * 7 + y * 3) & 255, (x * y) & 255, (x ^ y) & 255));
    return picture;
}

std::vector<unsigned char> bytesOf(const QByteArray& a, qsizetype count = -1)
{
    const auto* p = reinterpret_cast<const unsigned char*>(a.constData());
    return {p, p + (count < 0 ? a.size() : count)};
}

// A PNG whose header states w x h, with its checksum redone.
std::vector<unsigned char> pngClaiming(std::uint32_t w, std::uint32_t h)
{
    std::vector<unsigned char> png = bytesOf(encoded(QImage(4, 4, QImage::Format_Grayscale8), "PNG"));
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<unsigned char>(w >> (24 - 8 * i));
        png[20 + i] = static_cast<unsigned char>(h >> (24 - 8 * i));
    }
    const uLong crc = crc32(0, png.data() + 12, 17);
    for (int i = 0; i < 4; ++i)
        png[29 + i] = static_cast<unsigned char>(crc >> (24 - 8 * i));
    return png;
}

class PictureLimitTest : public FilesTest {
protected:
    void Read(const std::string& name)
    {
        std::wstring path = Path(name);
        gCVSReadFile(4, path, true);
    }
};

TEST_F(PictureLimitTest, HugeStatedSizesAreRefusedBeforeDecoding)
{
    WriteFile(Path("bomb.png"), pngClaiming(30000, 30000));
    Read("bomb.png");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"图像太大：宽度 30000，高度 30000");
    EXPECT_EQ(gCVSGetFileType(4), FileNothing);

    // Within the pixel limit but over the memory there is.
    PictureProbe::SetAvailableMemoryForTesting(1 << 20);
    const std::vector<unsigned char> png = pngClaiming(1000, 1000);
    const DecodedPicture refused = CanvasPictureReader::Decode(png.data(), png.size(), L"png");
    PictureProbe::SetAvailableMemoryForTesting(0);
    EXPECT_EQ(refused.message, L"图像需要约 23 MB 内存，可用 1 MB");
}

TEST_F(PictureLimitTest, ASmallFileCannotClaimALargePicture)
{
    // 10000 x 10000 fits the limits, but not into 70 bytes of deflate.
    WriteFile(Path("claims.png"), pngClaiming(10000, 10000));
    Read("claims.png");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"图像文件太小，容纳不下宽度 10000，高度 10000 的图像");
    // The same picture with a plausible size is decoded.
    EXPECT_EQ(PictureProbe::CheckPayload(10000, 10000, 1e8 / 8, 20000, PictureProbe::deflateRatio), L"");
}

TEST_F(PictureLimitTest, TruncatedJpegClaimingAHugeSizeIsRefused)
{
    QByteArray jpeg = encoded(pattern(64, 64), "JPG");
    auto* p = reinterpret_cast<unsigned char*>(jpeg.data());
    for (qsizetype i = 2; i + 9 < jpeg.size(); ++i)
        if (p[i] == 0xFF && p[i + 1] == 0xC0) {
            p[i + 5] = p[i + 7] = 20000 >> 8;
            p[i + 6] = p[i + 8] = 20000 & 0xFF;
            break;
        }
    WriteFile(Path("cut.jpg"), bytesOf(jpeg, jpeg.size() / 2));
    Read("cut.jpg");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"图像太大：宽度 20000，高度 20000");
}

TEST_F(PictureLimitTest, TruncatedPicturesAreShownWithAWarning)
{
    const QByteArray jpeg = encoded(pattern(64, 64), "JPG");
    const QByteArray png = encoded(pattern(64, 64), "PNG");
    WriteFile(Path("half.jpg"), bytesOf(jpeg, jpeg.size() * 2 / 3));
    WriteFile(Path("whole.jpg"), bytesOf(jpeg));
    WriteFile(Path("whole.png"), bytesOf(png));
    Read("whole.jpg");
    Read("whole.png");
    EXPECT_TRUE(messages.empty());
    Read("half.jpg");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"图像文件不完整：缺少的部分显示为灰色或黑色");
    EXPECT_EQ(gCVSGetFileType(4), FilePicture8);
    EXPECT_EQ(gCVSGetCanvasWidth(4), 64);
}

TEST(PictureProbeTest, FormatsAreKnownByTheirFirstBytes)
{
    const auto sniff = [](std::vector<std::uint8_t> b) { return PictureProbe::Sniff(b.data(), b.size()); };
    EXPECT_EQ(sniff({'I', 'I', 42, 0, 8, 0}), PictureProbe::Format::Tiff);
    EXPECT_EQ(sniff({'M', 'M', 0, 42, 0, 0}), PictureProbe::Format::Tiff);
    EXPECT_EQ(sniff({'I', 'I', 43, 0, 8, 0}), PictureProbe::Format::Tiff);
    std::vector<std::uint8_t> dicom(140, 0);
    std::memcpy(dicom.data() + 128, "DICM", 4);
    EXPECT_EQ(sniff(dicom), PictureProbe::Format::Dicom);
    EXPECT_EQ(sniff({0xFF, 0xD8, 0xFF, 0xE0}), PictureProbe::Format::Jpeg);
    EXPECT_EQ(sniff({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}), PictureProbe::Format::Png);
    EXPECT_EQ(sniff({'B', 'M', 0, 0}), PictureProbe::Format::Unknown);
    EXPECT_EQ(sniff({}), PictureProbe::Format::Unknown);
}

TEST(PictureProbeTest, SizeChecksNameTheSize)
{
    EXPECT_EQ(PictureProbe::CheckSize(100, 100, 20), L"");
    EXPECT_EQ(PictureProbe::CheckSize(16385, 16384, 20), L"图像太大：宽度 16385，高度 16384");
    EXPECT_EQ(PictureProbe::CheckSize(std::int64_t(1) << 40, 1 << 20, 20), L"图像太大：宽度 1099511627776，高度 1048576");
    EXPECT_EQ(PictureProbe::CheckSize(0, 5, 20), L"图像尺寸无效：宽度 0，高度 5");
}

} // namespace
