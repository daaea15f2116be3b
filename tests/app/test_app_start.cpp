// Starting the workbench: the command line, the picture it opens (the
// sample when none is given) and the screenshot it writes on request.
#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"
#include "pixorama/workbench/CMainFrame.h"
#include "pixorama/workbench/CPixoramaApp.h"
#include "pixorama/workbench/SampleImage.h"

#include "TestHome.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

// A w x h picture of one colour in the test home; empty when it cannot be written.
std::filesystem::path writeFilledPicture(const char* name, int w, int h, const QColor& colour)
{
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(colour);
    const auto path = TestHome::path() / name;
    return picture.save(QString::fromStdString(path.string())) ? path : std::filesystem::path{};
}

QStringList args(std::initializer_list<const char*> list)
{
    QStringList out{QStringLiteral("pixorama")};
    for (const char* a : list)
        out << QString::fromUtf8(a);
    return out;
}

TEST(CommandLine, ImageAndScreenshotAreTakenApart)
{
    WorkbenchOptions o = CPixoramaApp::parseCommandLine(args({}));
    EXPECT_TRUE(o.image.empty());
    EXPECT_TRUE(o.screenshot.empty());
    EXPECT_TRUE(o.error.empty());

    o = CPixoramaApp::parseCommandLine(args({"--screenshot", "/tmp/a.png", "图像.tif"}));
    EXPECT_EQ(o.screenshot, L"/tmp/a.png");
    EXPECT_EQ(o.image, L"图像.tif");
    EXPECT_TRUE(o.error.empty());

    o = CPixoramaApp::parseCommandLine(args({"x.png", "--screenshot", "s.png"}));
    EXPECT_EQ(o.image, L"x.png");
    EXPECT_EQ(o.screenshot, L"s.png");

    EXPECT_TRUE(CPixoramaApp::parseCommandLine(args({"--help"})).help);
}

TEST(CommandLine, MistakesAreReported)
{
    EXPECT_FALSE(CPixoramaApp::parseCommandLine(args({"--screenshot"})).error.empty());
    EXPECT_FALSE(CPixoramaApp::parseCommandLine(args({"--screenshot", ""})).error.empty());
    EXPECT_FALSE(CPixoramaApp::parseCommandLine(args({"--bogus"})).error.empty());
    EXPECT_FALSE(CPixoramaApp::parseCommandLine(args({"a.png", "b.png"})).error.empty());
    EXPECT_NE(CPixoramaApp::usage().find(L"--screenshot"), std::wstring::npos);
}

class AppStartTest : public testing::Test {
protected:
    void SetUp() override
    {
        plat::setMessageBoxResponder([this](const std::wstring& text, const std::wstring&, unsigned) {
            boxes.push_back(text);
            return plat::IDOK;
        });
    }
    void TearDown() override
    {
        plat::setMessageBoxResponder({});
        delete app.mainFrame();
    }

    CPixoramaApp app;
    std::vector<std::wstring> boxes;
};

TEST_F(AppStartTest, WithoutAPictureTheSampleRadiographIsShown)
{
    ASSERT_TRUE(app.InitInstance({}));
    ASSERT_NE(app.mainFrame(), nullptr);
    EXPECT_TRUE(app.mainFrame()->isVisible());
    EXPECT_EQ(gCVSGetFileType(4), FileFloat);
    EXPECT_EQ(gCVSGetCanvasWidth(4), SampleImage::defaultWidth);
    EXPECT_EQ(gCVSGetCanvasHeight(4), SampleImage::defaultHeight);
    // The original 16-bit values are kept for pixel queries.
    const std::vector<std::uint16_t> sample = SampleImage::generate(SampleImage::defaultWidth, SampleImage::defaultHeight);
    const ClassData2DIO<float>& ori = gCVSGetRawOri(4);
    ASSERT_EQ(ori.width, SampleImage::defaultWidth);
    for (const int y : {0, 123, SampleImage::defaultHeight - 1})
        for (const int x : {0, 456, SampleImage::defaultWidth - 1})
            EXPECT_EQ(ori.rows[y][x], float(sample[std::size_t(y) * SampleImage::defaultWidth + std::size_t(x)]));
    // The build puts the file beside the programs; it is the one opened.
    const auto beside = plat::programFolder() / SampleImage::folderName / SampleImage::fileName;
    if (std::filesystem::exists(beside)) {
        EXPECT_EQ(app.shownPath(), plat::fromPath(beside));
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(AppStartTest, GivenPictureIsShownOnTheWorkingCanvas)
{
    const auto path = writeFilledPicture("given.png", 6, 4, QColor(0, 128, 255));
    ASSERT_FALSE(path.empty());
    WorkbenchOptions options;
    options.image = plat::fromPath(path);
    ASSERT_TRUE(app.InitInstance(options));
    EXPECT_EQ(app.shownPath(), options.image);
    EXPECT_EQ(gCVSGetFileType(4), FilePicture8);
    EXPECT_EQ(gCVSGetCanvasWidth(4), 6);
    EXPECT_EQ(gCVSGetCanvasPixelPtr(4)[0] & 0xFFFFFF, plat::pixelOf(0, 128, 255));
}

TEST_F(AppStartTest, MissingPictureSaysSoAndLeavesTheWindowOpen)
{
    WorkbenchOptions options;
    options.image = plat::fromPath(TestHome::path() / "gone.png");
    EXPECT_FALSE(app.InitInstance(options));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"文件不存在");
    ASSERT_NE(app.mainFrame(), nullptr);
    EXPECT_TRUE(app.mainFrame()->isVisible());
}

TEST_F(AppStartTest, ScreenshotShowsTheWholeWindowWithThePicture)
{
    const auto input = writeFilledPicture("red.png", 300, 200, QColor(255, 0, 0));
    ASSERT_FALSE(input.empty());
    WorkbenchOptions options;
    options.image = plat::fromPath(input);
    options.screenshot = plat::fromPath(TestHome::path() / "shot.png");
    EXPECT_EQ(app.run(options), 0);

    const QImage shot(QString::fromStdWString(options.screenshot));
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), QSize(1400, 900)); // the whole main window
    long red = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            red += shot.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_EQ(red, 300L * 200L); // the picture at scale 1, all of it
    // The window closes itself once the shot is written.
    EXPECT_EQ(app.mainFrame(), nullptr);
}

TEST_F(AppStartTest, ScreenshotThatCannotBeWrittenFails)
{
    WorkbenchOptions options;
    options.screenshot = plat::fromPath(TestHome::path() / "no-such-folder" / "shot.png");
    EXPECT_EQ(app.run(options), 1);
    EXPECT_FALSE(std::filesystem::exists(TestHome::path() / "no-such-folder" / "shot.png"));
}

} // namespace
