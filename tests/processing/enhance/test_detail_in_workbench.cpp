// The live detail enhancement of the sample radiograph in the workbench's
// main window, with the status-bar progress control. When
// PIXORAMA_SCREENSHOT_DIR is set, a PNG of the window is written there.
#include "PlaneTools.h"
#include "WorkbenchFixture.h"

#include "pixorama/common/tagQEVParaReport.h"
#include "pixorama/workbench/CMainFrame.h"
#include "pixorama/workbench/CPixoramaApp.h"
#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/QEVDetailWorker.h"

#include <QProgressBar>

#include <cstdlib>
#include <filesystem>

class DetailInWorkbench : public WorkbenchTest {};

TEST_F(DetailInWorkbench, SampleRadiographAfterALiveDetailEnhancement)
{
    CPixoramaApp app;
    ASSERT_TRUE(app.InitInstance(WorkbenchOptions{}));
    CMainFrame* frame = app.mainFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(gCVSGetFileType(4) == FileFloat || gCVSGetFileType(4) == FileRawOther);
    gWorkState().PictureReplaced();
    gWorkState().progress = frame->progressCtrl();
    int highest = 0;
    QObject::connect(frame->progressCtrl(), &QProgressBar::valueChanged, [&](int v) { highest = std::max(highest, v); });

    ApplyLiveAdjustment(StripReport(14, 0.3f)); // outline
    ApplyLiveAdjustment(StripReport(15, 1.0f)); // small detail
    ApplyLiveAdjustment(StripReport(16, 0.8f)); // medium detail
    ApplyLiveAdjustment(StripReport(17, 0.4f)); // large detail
    ASSERT_TRUE(Serve([] { return !gDetailWorker().Busy(); }));

    EXPECT_EQ(highest, 100);
    EXPECT_EQ(frame->progressCtrl()->value(), 0);
    const QEVUCDATA2D& result = gDetailWorker().Result();
    ASSERT_EQ(result.width, gCVSGetCanvasWidth(4));
    ASSERT_EQ(result.height, gCVSGetCanvasHeight(4));
    for (int y = 0; y < result.height; y += 97)
        for (int x = 0; x < result.width; x += 89)
            ASSERT_EQ(Pixel(x, y), unsigned(result.rows[y][x]) * 0x010101u) << x << "," << y;

    gCTERRefreshAllView();
    QApplication::processEvents();
    if (const char* dir = std::getenv("PIXORAMA_SCREENSHOT_DIR")) {
        const std::filesystem::path png = std::filesystem::path(dir) / "detail-enhancement.png";
        EXPECT_TRUE(app.writeScreenshot(png.wstring()));
    }
    gWorkState().progress = nullptr;
    frame->close();
    QApplication::processEvents();
}
