// The results as the view paints them: the canvas drawn into a window surface
// shows what the commands left in canvas 4. With PIXORAMA_SCREENSHOT_DIR set,
// each painted view is also saved there as a PNG to look at.
#include "WorkCanvasFixture.h"

#include "pixorama/platform/Dc.h"
#include "pixorama/platform/DibBitmap.h"
#include "pixorama/workbench/CommandGroups.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

constexpr int W = 320;
constexpr int H = 240;

// A small outdoor scene: sky, sun, two hills, a red house with a dark door, grain.
WorkCanvasTest::Rgb Scene(int x, int y)
{
    const int grain = int(((unsigned(x) * 73856093u) ^ (unsigned(y) * 19349663u)) % 13u) - 6;
    auto lit = [grain](int r, int g, int b) {
        return WorkCanvasTest::Rgb{std::clamp(r + grain, 0, 255), std::clamp(g + grain, 0, 255), std::clamp(b + grain, 0, 255)};
    };
    if (std::hypot(x - 250, y - 55) < 28)
        return lit(250, 215, 90);
    if (x >= 70 && x < 150 && y >= 120 && y < 190)
        return x >= 100 && x < 120 && y >= 150 ? lit(70, 40, 30) : lit(190, 50, 40);
    const double hill1 = 150 + 25 * std::sin(x / 40.0);
    const double hill2 = 180 + 15 * std::cos(x / 25.0);
    if (y > hill2)
        return lit(60, 140 - (y - 180) / 2, 50);
    if (y > hill1)
        return lit(90, 170, 70);
    return lit(110 + y / 3, 160 + y / 4, 235);
}

class PaintedResultTest : public WorkCanvasTest {
protected:
    void SetUp() override
    {
        WorkCanvasTest::SetUp();
        plat::Rect client{0, 0, W, H};
        gCVSSetClient(4, client, &dc);
        ShowPicture(W, H, Scene);
    }

    // The window goes with the test: the canvas must not keep painting into it.
    void TearDown() override
    {
        InteractiveImage& canvas = *CanvasTable::At(4);
        canvas.targetDc = nullptr;
        canvas.clientSurface.Release();
        WorkCanvasTest::TearDown();
    }

    // Paints canvas 4 into the window and checks that it shows the canvas's pixels.
    QImage Painted(const char* name)
    {
        gCVSOnDraw(4, &dc);
        const QImage shot = surface.toImage();
        for (int y = 0; y < H; y += 7)
            for (int x = 0; x < W; x += 11) {
                const QRgb p = shot.pixel(x, y);
                EXPECT_EQ((Rgb{qRed(p), qGreen(p), qBlue(p)}), At(x, y)) << x << "," << y;
            }
        if (const char* folder = std::getenv("PIXORAMA_SCREENSHOT_DIR"))
            shot.save(QString::fromUtf8(folder) + "/" + name + ".png");
        return shot;
    }

    plat::DibBitmap surface{W, H};
    plat::Dc dc{surface};
};

} // namespace

TEST_F(PaintedResultTest, SimpleWatershedBordersFollowTheSceneEdges)
{
    Painted("scene");
    RunSegmentCommand(2531);
    const QImage shot = Painted("simple-watershed");
    // The house's left wall (x = 70) lies on a basin border in every row of it.
    for (int y = 125; y < 185; y += 10) {
        bool border = false;
        for (int x = 67; x <= 72; ++x)
            border = border || shot.pixel(x, y) == qRgb(255, 0, 0);
        EXPECT_TRUE(border) << "row " << y;
    }
}

TEST_F(PaintedResultTest, ColourWatershedAndPhotoEffectsArePainted)
{
    RunSegmentCommand(2530);
    Painted("colour-watershed");
    ShowPicture(W, H, Scene);
    RunArtCommand(2336); // vignette
    const QImage vignette = Painted("vignette");
    EXPECT_LT(qBlue(vignette.pixel(0, 0)), qBlue(vignette.pixel(160, 20)));
    ShowPicture(W, H, Scene);
    RunArtCommand(2338); // sepia
    const QImage sepia = Painted("sepia");
    EXPECT_GT(qRed(sepia.pixel(160, 20)), qBlue(sepia.pixel(160, 20))); // the blue sky turns brown
    ShowPicture(W, H, Scene);
    RunArtCommand(2341); // pen drawing
    Painted("pen-drawing");
}
