// Open, reopen, save and "固化结果" on canvas 4.
#include "WorkbenchFixture.h"

#include "pixorama/canvo/CanvasRegions.h"
#include "pixorama/workbench/CPixoramaView.h"
#include "pixorama/workbench/RecentFiles.h"

namespace {

class BasicCommandTest : public WorkbenchTest {};

std::vector<char> fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(BasicCommandTest, OpenReadsTheChosenRawIntoCanvasFour)
{
    const std::wstring path = WriteRaw("ramp.raw", 6, 4, [](int x, int y) { return std::uint16_t(x * 100 + y); });
    gWorkState().planesCaptured = true;
    gWorkState().detailLayersReady = true;
    OpenRawByMenu(path, 6, 4);
    EXPECT_EQ(choosers, 1);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(gCVSGetFileType(canvas), FileFloat);
    EXPECT_EQ(gCVSGetCanvasWidth(canvas), 6);
    EXPECT_FLOAT_EQ(gCVSGetRawOri(canvas).rows[3][5], 503.0f);
    EXPECT_EQ(gWorkState().imagePath, path);
    EXPECT_FALSE(gWorkState().planesCaptured);
    EXPECT_FALSE(gWorkState().detailLayersReady);
    EXPECT_EQ(RecentFiles::Load(), std::vector<std::wstring>{path});
}

TEST_F(BasicCommandTest, CancelledChooserOpensNothing)
{
    const std::wstring path = WriteColour("c.png", 4, 4, [](int, int) { return 0x102030u; });
    Choose(path);
    frame->OnCommand(2224);
    Choose(std::nullopt);
    frame->OnCommand(2224);
    EXPECT_EQ(gWorkState().imagePath, path);
    EXPECT_EQ(gCVSGetFileType(canvas), FilePicture8);
}

TEST_F(BasicCommandTest, SaveRawWritesTheWorkingRaw)
{
    OpenRawByMenu(WriteRaw("two.raw", 2, 1, [](int x, int) { return std::uint16_t(x == 0 ? 10 : 30); }), 2, 1);
    const std::filesystem::path out = Home() / "saved.raw";
    Choose(plat::fromPath(out));
    frame->OnCommand(2234);
    const std::vector<char> bytes = fileBytes(out);
    ASSERT_EQ(bytes.size(), 8u);
    float values[2];
    std::memcpy(values, bytes.data(), 8);
    EXPECT_FLOAT_EQ(values[0], 0.0f);
    EXPECT_FLOAT_EQ(values[1], 65535.0f);
}

TEST_F(BasicCommandTest, EightBitConversionWritesABitmap)
{
    OpenColourByMenu("grey.png", 4, 2, [](int x, int) { return x < 2 ? 0x000000u : 0xFFFFFFu; });
    const std::filesystem::path out = Home() / "grey.bmp";
    Choose(plat::fromPath(out));
    frame->OnCommand(2242);
    const QImage saved(QString::fromStdString(out.string()));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), QSize(4, 2));
    EXPECT_EQ(qGray(saved.pixel(0, 0)), 0);
    EXPECT_EQ(qGray(saved.pixel(3, 1)), 255);
}

TEST_F(BasicCommandTest, EverySaveWritesItsFile)
{
    OpenColourByMenu("c.png", 6, 4, [](int x, int) { return x < 3 ? 0xFF0000u : 0x00FF00u; });
    QApplication::processEvents();
    frame->view()->repaint();
    const std::vector<std::pair<int, std::string>> saves = {
        {2232, "label.raw"}, {2236, "with-overlays.bmp"}, {2238, "shown.bmp"}, {2240, "window.bmp"}};
    for (const auto& [id, name] : saves) {
        Choose(plat::fromPath(Home() / name));
        frame->OnCommand(id);
        EXPECT_TRUE(std::filesystem::exists(Home() / name)) << id;
    }
    // The label of a picture without regions: all ones, 32-bit, 6 x 4.
    const std::vector<char> label = fileBytes(Home() / "label.raw");
    ASSERT_EQ(label.size(), 6u * 4u * 4u);
    std::int32_t first = 0;
    std::memcpy(&first, label.data(), 4);
    EXPECT_EQ(first, 1);
    const QImage shown(QString::fromStdString((Home() / "shown.bmp").string()));
    ASSERT_EQ(shown.size(), QSize(6, 4));
    EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFFu, 0xFF0000u);
    EXPECT_EQ(shown.pixel(5, 3) & 0xFFFFFFu, 0x00FF00u);
    // A cancelled chooser writes nothing.
    Choose(std::nullopt);
    frame->OnCommand(2234);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Home()), std::filesystem::directory_iterator()),
              std::ptrdiff_t(saves.size() + 2)); // and the picture and the recent list
}

TEST_F(BasicCommandTest, CreateImageDoesNothing)
{
    OpenColourByMenu("c.png", 3, 3, [](int, int) { return 0x123456u; });
    frame->OnCommand(2230);
    EXPECT_EQ(choosers, 1);
    EXPECT_EQ(Pixel(1, 1), 0x123456u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(BasicCommandTest, KeepResultOnRawOnlySaysSo)
{
    OpenRawByMenu(WriteRaw("r.raw", 2, 2, [](int x, int) { return std::uint16_t(x); }), 2, 2);
    frame->OnCommand(2244);
    EXPECT_EQ(messages, std::vector<std::wstring>{L"raw图像的处理自带此功能"});
}

TEST_F(BasicCommandTest, ReopenAfterAColourOperationShowsTheSource)
{
    // Red only at the top left, so a flipped picture shows.
    OpenColourByMenu("lr.png", 4, 2, [](int x, int y) { return x == 0 && y == 0 ? 0xFF0000u : 0x0000FFu; });
    frame->OnCommand(2376); // mirror left-right
    EXPECT_EQ(Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(Pixel(3, 0), 0xFF0000u);
    frame->OnCommand(2228);
    EXPECT_EQ(Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(Pixel(0, 1), 0x0000FFu);
    EXPECT_EQ(Pixel(3, 1), 0x0000FFu);
}

// A second picture of the same size, whose bottom rows (the first in
// memory) match the first picture's, is taken afresh; shown again from its
// planes, it works on as it was.
TEST_F(BasicCommandTest, ColourOperationsWorkOnThePictureShownNow)
{
    const auto picture = [](unsigned salt) {
        return [salt](int x, int y) { return y >= 3 ? 0x102030u : unsigned(x * 7 + y) % 256 << 16 | salt << 8 | salt; };
    };
    OpenColourByMenu("a.png", 300, 6, picture(0x40));
    frame->OnCommand(2376);
    OpenColourByMenu("b.png", 300, 6, picture(0x90));
    frame->OnCommand(2376); // mirror left-right
    EXPECT_EQ(Pixel(0, 1), unsigned(299 * 7 + 1) % 256 << 16 | 0x9090u);
    frame->OnCommand(2228);
    frame->OnCommand(2378); // negative
    EXPECT_EQ(Pixel(0, 1), 0xFFFFFFu - (1u << 16 | 0x9090u));
    EXPECT_EQ(Pixel(9, 4), 0xFFFFFFu - 0x102030u);
}

TEST_F(BasicCommandTest, KeepResultMakesTheResultTheNewSource)
{
    OpenColourByMenu("lr.png", 4, 2, [](int x, int) { return x == 0 ? 0xFF0000u : 0x0000FFu; });
    frame->OnCommand(2376);
    frame->OnCommand(2244);
    frame->OnCommand(2228);
    EXPECT_EQ(Pixel(3, 0), 0xFF0000u);
    EXPECT_EQ(Pixel(0, 0), 0x0000FFu);
}

TEST_F(BasicCommandTest, ReopenReadsARawAgainAndDropsCapturedPlanes)
{
    const std::wstring path = WriteRaw("r.raw", 3, 1, [](int x, int) { return std::uint16_t(x * 10); });
    OpenRawByMenu(path, 3, 1);
    frame->OnCommand(2378); // negative
    EXPECT_FLOAT_EQ(gCVSGetRawOri(canvas).rows[0][0], 65535.0f);
    gWorkState().detailLayersReady = true;
    frame->OnCommand(2228);
    EXPECT_EQ(dialogs, 2);
    EXPECT_FLOAT_EQ(gCVSGetRawOri(canvas).rows[0][2], 20.0f);
    EXPECT_FALSE(gWorkState().detailLayersReady);
}

TEST_F(BasicCommandTest, ReopenWithNothingShownDoesNothing)
{
    frame->OnCommand(2228);
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(gCVSGetFileType(canvas), FileNothing);
}

} // namespace
