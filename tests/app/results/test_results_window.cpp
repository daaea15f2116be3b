// The "测量结果" window: rows from statistics and from measurements drawn
// with the mouse, the same numbers as the texts shown; Ctrl+M, copy and
// CSV; region files saved and put on other pictures; pixorama-batch measure
// giving the window's rows.
#include "WorkbenchFixture.h"

#include "pixorama/canvo/CanvasInput.h"
#include "pixorama/canvo/CanvasMeasures.h"
#include "pixorama/canvo/CanvasRegions.h"
#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/canvo/InteractiveMeasureAngle3Pts.h"
#include "pixorama/canvo/InteractiveMeasureLine.h"
#include "pixorama/tilemo/EleContainer.h"
#include "pixorama/tilemo/EleView.h"
#include "pixorama/tilemo/EleViewContainer.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/BatchProgram.h"
#include "pixorama/workbench/CanvasResults.h"
#include "pixorama/workbench/MenuTables.h"
#include "pixorama/workbench/ResultsDock.h"
#include "pixorama/workbench/ResultsTable.h"

#include <QClipboard>
#include <QTableView>
#include <QTest>

#include <cwchar>
#include <iterator>
#include <sstream>

namespace {

class ResultsWindow : public WorkbenchTest {
protected:
    void SetUp() override
    {
        WorkbenchTest::SetUp();
        gClearResults();
        gCVSSetMeasureScale(canvas, 1.0);
    }

    static EleView* Working() { return gCTERGetContainer()->viewArea()->view(3); }

    static QPoint Client(double x, double y)
    {
        plat::Point p;
        gCVSGetDisplayPt(canvas, x, y, p);
        return {p.x, p.y};
    }

    // A drag with the left button, as the user makes it.
    static void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys)
    {
        QTest::mousePress(Working(), Qt::LeftButton, keys, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(to), Qt::NoButton, Qt::LeftButton, keys);
        QApplication::sendEvent(Working(), &move);
        QTest::mouseRelease(Working(), Qt::LeftButton, keys, to);
        QApplication::processEvents();
    }

    static Canvo& Last() { return *CanvasTable::At(canvas)->overlays.back(); }

    // A region of canvas 4 placed with these image corners.
    static void Rectangle(double x0, double y0, double x1, double y1)
    {
        gCVSAddMRectangle(canvas);
        Last().imagePoints = {{x0, y0}, {x1, y1}};
        Last().OnViewChanged();
    }

    static std::wstring Format(const wchar_t* format, double v)
    {
        wchar_t text[64];
        std::swprintf(text, 64, format, v);
        return text;
    }

    // The row's value in the format the statistics text uses, found in it.
    static void ExpectShown(const std::wstring& text, const wchar_t* format, const std::optional<double>& value)
    {
        ASSERT_TRUE(value.has_value()) << plat::toUtf8(format);
        EXPECT_NE(text.find(Format(format, *value)), std::wstring::npos) << plat::toUtf8(Format(format, *value))
                                                                          << " not in " << plat::toUtf8(text);
    }

    // The grey-value statistics every statistics text shows.
    static void ExpectGreyValuesShown(const std::wstring& text, const ResultRow& row)
    {
        ExpectShown(text, L"最大值为%3.4f;", row[ResultColumn::Maximum]);
        ExpectShown(text, L"最小值为%3.4f;", row[ResultColumn::Minimum]);
        ExpectShown(text, L"均值为%3.4f", row[ResultColumn::Mean]);
        ExpectShown(text, L"(STDEVP)%6.5f;", row[ResultColumn::Stdevp]);
    }

    static std::string Read(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

TEST_F(ResultsWindow, StatisticsRowsHoldTheNumbersOfTheStatisticsText)
{
    OpenColourByMenu("photo.png", 40, 30, [](int x, int y) { return unsigned((x * 6) << 16 | (y * 8) << 8 | (x * y) % 256); });
    Rectangle(5, 4, 24, 19);
    frame->OnCommand(2416);
    ASSERT_EQ(gResults().Size(), 1u);
    const ResultRow& grey = gResults().Row(0);
    EXPECT_EQ(grey.picture, L"photo.png");
    EXPECT_EQ(grey.kind, L"矩形");
    EXPECT_EQ(*grey[ResultColumn::Area], 20.0 * 16.0);
    const std::wstring text = gCTERGetInfo();
    ExpectGreyValuesShown(text, grey);
    ExpectShown(text, L"(STDEV)%6.5f;", grey[ResultColumn::Stdev]);
    ExpectShown(text, L"SNR为%3.4f;", grey[ResultColumn::Snr]);
    ExpectShown(text, L"PSNR为%3.4f;", grey[ResultColumn::Psnr]);
    ExpectShown(text, L"图像熵为%3.4f;", grey[ResultColumn::Entropy]);
    ExpectShown(text, L"JNB值为%3.4f;", grey[ResultColumn::Jnb]);
    EXPECT_TRUE(frame->resultsDock()->isVisible());

    // A raw picture with no region selected: the whole picture.
    OpenRawByMenu(WriteRaw("scan.raw", 16, 12, [](int x, int y) { return std::uint16_t(300 + 7 * x * x + y); }), 16, 12);
    frame->OnCommand(2416);
    ASSERT_EQ(gResults().Size(), 2u);
    const ResultRow& raw = gResults().Row(1);
    EXPECT_EQ(raw.kind, L"全图");
    EXPECT_EQ(*raw[ResultColumn::Area], 16.0 * 12.0);
    ExpectGreyValuesShown(gCTERGetInfo(), raw);
    EXPECT_FALSE(raw[ResultColumn::Entropy].has_value());
}

TEST_F(ResultsWindow, MeasurementsDrawnWithTheMouseKeepOneRowThatFollowsThem)
{
    OpenRawByMenu(WriteRaw("scan.raw", 200, 100, [](int x, int y) { return std::uint16_t(x + y); }), 200, 100);
    gCVSSetMeasureScale(canvas, 0.5);
    frame->OnCommand(2288);
    Drag(Client(20, 30), Client(80, 70), Qt::ShiftModifier);
    auto& line = dynamic_cast<InteractiveMeasureLine&>(Last());
    ASSERT_EQ(gResults().Size(), 1u);
    EXPECT_EQ(gResults().Row(0).kind, L"距离");
    EXPECT_EQ(gResults().Row(0).unit, L"mm");
    EXPECT_EQ(line.GetText(), Format(L"长度 = %4.3f mm", *gResults().Row(0)[ResultColumn::Length]));

    // Dragging the end point away moves the line: its row changes in place.
    const double before = *gResults().Row(0)[ResultColumn::Length];
    const plat::Point end = line.displayPoints[1];
    Drag({end.x, end.y}, {end.x + 40, end.y + 5}, Qt::NoModifier);
    ASSERT_EQ(gResults().Size(), 1u);
    const double after = *gResults().Row(0)[ResultColumn::Length];
    EXPECT_GT(after, before + 5.0);
    EXPECT_EQ(line.GetText(), Format(L"长度 = %4.3f mm", after));

    // A three-point angle, one Shift-click per point.
    frame->OnCommand(2290);
    for (const QPoint p : {Client(100, 50), Client(150, 50), Client(100, 90)})
        Drag(p, p, Qt::ShiftModifier);
    QTest::mouseMove(Working(), Client(120, 60));
    QApplication::processEvents();
    auto& angle = dynamic_cast<InteractiveMeasureAngle3Pts&>(Last());
    ASSERT_EQ(gResults().Size(), 2u);
    EXPECT_EQ(gResults().Row(1).kind, L"角度");
    EXPECT_NEAR(*gResults().Row(1)[ResultColumn::Angle], 90.0, 2.0);
    EXPECT_EQ(angle.GetText(), Format(L"角度 = %3.3f 度", *gResults().Row(1)[ResultColumn::Angle]));
}

TEST_F(ResultsWindow, MeasureAllThenCopyAndSave)
{
    OpenRawByMenu(WriteRaw("scan.raw", 64, 48, [](int x, int y) { return std::uint16_t(x * y); }), 64, 48);
    gCVSAddMeasureLine(canvas);
    Last().imagePoints = {{0, 0}, {30, 40}};
    Rectangle(2, 2, 10, 12);
    Rectangle(20, 20, 40, 30);
    gCVSAddMeasureAngle3Pts(canvas); // not placed yet: no row
    frame->OnCommand(ID_MEASURE_ALL);
    EXPECT_TRUE(frame->resultsDock()->isVisible());
    ASSERT_EQ(gResults().Size(), 3u);
    EXPECT_EQ(*gResults().Row(0)[ResultColumn::Length], 50.0);
    EXPECT_EQ(gResults().Row(1).label, L"矩形 1");
    EXPECT_EQ(*gResults().Row(2)[ResultColumn::Area], 21.0 * 11.0);
    // Measuring again replaces the rows.
    frame->OnCommand(ID_MEASURE_ALL);
    ASSERT_EQ(gResults().Size(), 3u);
    EXPECT_EQ(frame->resultsDock()->view()->model()->rowCount(), 3);

    ResultsDock& dock = *frame->resultsDock();
    QTableView* view = dock.view();
    view->selectionModel()->select(view->model()->index(2, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    dock.CopySelection();
    EXPECT_EQ(QApplication::clipboard()->text().toStdWString(), gResults().Tsv({2}));

    const auto csv = Home() / "out.csv";
    Choose(plat::fromPath(csv));
    dock.SaveCsv();
    EXPECT_EQ(Read(csv), gResults().Csv());

    dock.DeleteSelection();
    EXPECT_EQ(gResults().Size(), 2u);
    EXPECT_EQ(dock.view()->model()->rowCount(), 2);
}

TEST_F(ResultsWindow, RegionFilesGoOntoOtherPicturesOnlyScaledWhenAsked)
{
    OpenRawByMenu(WriteRaw("small.raw", 32, 24, [](int x, int) { return std::uint16_t(x); }), 32, 24);
    Rectangle(4, 6, 20, 18);
    gCVSAddMeasureLine(canvas);
    Last().imagePoints = {{1, 1}, {9, 7}};
    const auto file = Home() / "rois.json";
    Choose(plat::fromPath(file));
    frame->OnCommand(ID_SAVE_REGIONS);
    ASSERT_TRUE(std::filesystem::exists(file));

    OpenRawByMenu(WriteRaw("large.raw", 64, 48, [](int x, int) { return std::uint16_t(x); }), 64, 48);
    int answer = plat::IDNO;
    std::wstring asked;
    plat::setMessageBoxResponder([&](const std::wstring& text, const std::wstring&, unsigned) {
        asked = text;
        return answer;
    });
    Choose(plat::fromPath(file));
    frame->OnCommand(ID_LOAD_REGIONS);
    EXPECT_NE(asked.find(L"32 × 24"), std::wstring::npos) << plat::toUtf8(asked);
    EXPECT_TRUE(CanvasTable::At(canvas)->overlays.empty());

    answer = plat::IDYES;
    frame->OnCommand(ID_LOAD_REGIONS);
    const auto& overlays = CanvasTable::At(canvas)->overlays;
    ASSERT_EQ(overlays.size(), 2u);
    EXPECT_EQ(overlays[0]->kind, OverlayRect);
    EXPECT_EQ(overlays[0]->imagePoints[1].x, 40.0);
    EXPECT_EQ(overlays[0]->imagePoints[1].y, 36.0);
    auto& line = dynamic_cast<InteractiveMeasureLine&>(*overlays[1]);
    EXPECT_EQ(line.Length(), 20.0);
    EXPECT_EQ(line.GetText(), L"长度 = 20.000 mm");
}

TEST_F(ResultsWindow, BatchMeasureGivesTheWindowsRowsAndItsPiecesMakeTheWhole)
{
    std::vector<std::wstring> files;
    for (int i = 0; i < 4; ++i)
        files.push_back(WriteRaw("run" + std::to_string(i) + ".raw", 24, 16,
                                 [i](int x, int y) { return std::uint16_t(1000 * i + (x * 37 + y * 11) % 97); }));
    OpenRawByMenu(files[2], 24, 16);
    Rectangle(3, 2, 15, 9);
    gCVSAddPoly(canvas);
    Last().imagePoints = {{2, 14}, {20, 3}, {22, 15}};
    Last().OnViewChanged();
    frame->OnCommand(ID_MEASURE_ALL);
    ASSERT_EQ(gResults().Size(), 2u);
    Choose(plat::fromPath(Home() / "rois.json"));
    frame->OnCommand(ID_SAVE_REGIONS);

    const auto params = Home() / "load.ini";
    std::ofstream(params) << "[ImaLoad]\nInImaW=24\nInImaH=16\nInImaPixelType=0\nbLittleEndian=true\n";
    const auto run = [&](const std::string& out, std::vector<std::string> more) {
        std::vector<std::string> args = {"measure", "--regions", (Home() / "rois.json").string(), "--params",
                                         params.string(), "--glob", (Home() / "run*.raw").string(), "--out",
                                         (Home() / out).string()};
        args.insert(args.end(), more.begin(), more.end());
        std::ostringstream o, e;
        EXPECT_EQ(RunBatchProgram(args, o, e), 0) << e.str();
        return Read(Home() / out);
    };
    const std::string whole = run("whole.csv", {});
    // Header, then two rows per file; file 2's rows are the window's.
    const std::string windowRows = gResults().Csv(false);
    EXPECT_EQ(whole.rfind(gResults().Csv().substr(0, gResults().Csv().size() - windowRows.size()), 0), 0u);
    EXPECT_NE(whole.find(windowRows), std::string::npos) << whole << "\n---\n" << windowRows;
    EXPECT_EQ(std::count(whole.begin(), whole.end(), '\n'), 1 + 2 * 4);

    const std::string pieces = run("a.csv", {"--range", "0:1"}) + run("b.csv", {"--range", "1:3"}) +
                               run("c.csv", {"--range", "3:"});
    EXPECT_EQ(pieces, whole);
}

} // namespace
