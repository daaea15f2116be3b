#include "pixorama/platform/Image.h"
#include "pixorama/platform/Strings.h"

#include "TestHome.h"

#include <QImage>

#include <gtest/gtest.h>

#include <fstream>

using namespace plat;

namespace {

void paintPattern(Image& image)
{
    for (int y = 0; y < image.height(); ++y) {
        unsigned char* row = image.bits() + y * image.pitch();
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x + 0] = static_cast<unsigned char>(10 * x);      // blue
            row[3 * x + 1] = static_cast<unsigned char>(20 * y);      // green
            row[3 * x + 2] = static_cast<unsigned char>(200 - x - y); // red
        }
    }
}

} // namespace

TEST(Image, PitchSignAndRowOrder)
{
    Image up;
    ASSERT_TRUE(up.create(5, 3, 24, true));
    EXPECT_EQ(up.pitch(), -16); // 15 bytes padded to 16, bottom-up
    Image down;
    ASSERT_TRUE(down.create(5, 3, 24, false));
    EXPECT_EQ(down.pitch(), 16);
    Image grey;
    ASSERT_TRUE(grey.create(3, 2, 8));
    EXPECT_EQ(grey.pitch(), -4);

    // bits() is the top row in both layouts: the picture shows it first.
    up.bits()[2] = 255; // red of the top-left pixel
    const QImage shown = up.toQImage();
    EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(shown.pixel(0, 2) & 0xFFFFFF, 0u);

    EXPECT_FALSE(up.create(0, 3, 24));
    EXPECT_TRUE(up.isNull());
    EXPECT_FALSE(up.create(4, 4, 16));
    EXPECT_FALSE(up.create(1 << 20, 1 << 20, 32));
    EXPECT_EQ(up.bits(), nullptr);
}

TEST(Image, SaveAndLoadRoundTrip24Bit)
{
    Image picture;
    ASSERT_TRUE(picture.create(7, 4, 24));
    paintPattern(picture);
    for (const char* extension : {"bmp", "png", "tif"}) {
        const std::wstring path = fromPath(TestHome::path() / (std::string("round.") + extension));
        ASSERT_TRUE(picture.save(path)) << extension;
        Image back;
        ASSERT_TRUE(back.load(path)) << extension;
        EXPECT_EQ(back.width(), 7);
        EXPECT_EQ(back.height(), 4);
        EXPECT_EQ(back.bitsPerPixel(), 24) << extension;
        EXPECT_LT(back.pitch(), 0);
        for (int y = 0; y < 4; ++y) {
            const unsigned char* a = picture.bits() + y * picture.pitch();
            const unsigned char* b = back.bits() + y * back.pitch();
            for (int i = 0; i < 21; ++i)
                ASSERT_EQ(a[i], b[i]) << extension << " row " << y << " byte " << i;
        }
    }
}

TEST(Image, GreyPicturesLoadAsEightBit)
{
    Image grey;
    ASSERT_TRUE(grey.create(3, 2, 8, false));
    grey.bits()[0] = 7;
    grey.bits()[grey.pitch() + 2] = 250;
    const std::wstring path = fromPath(TestHome::path() / "grey.png");
    ASSERT_TRUE(grey.save(path));
    Image back;
    ASSERT_TRUE(back.load(path));
    EXPECT_EQ(back.bitsPerPixel(), 8);
    EXPECT_EQ(back.bits()[0], 7);
    EXPECT_EQ(back.bits()[back.pitch() + 2], 250);
}

TEST(Image, FailuresAreReportedAndLoseNothing)
{
    Image picture;
    ASSERT_TRUE(picture.create(2, 2, 24));
    EXPECT_FALSE(picture.save(fromPath(TestHome::path() / "no_encoder.xyz")));
    EXPECT_FALSE(picture.save(fromPath(TestHome::path() / "no_extension")));
    EXPECT_FALSE(picture.save(fromPath(TestHome::path() / "missing" / "folder.png")));
    EXPECT_FALSE(Image().save(fromPath(TestHome::path() / "empty.png")));

    const auto junk = TestHome::path() / "junk.png";
    std::ofstream(junk, std::ios::binary) << "not a picture";
    Image loaded;
    EXPECT_FALSE(loaded.load(fromPath(junk)));
    EXPECT_FALSE(loaded.load(fromPath(TestHome::path() / "absent.bmp")));
    EXPECT_TRUE(loaded.isNull());
}
