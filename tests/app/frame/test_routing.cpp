// Command ids reach the handler group of their range, whatever menu they sit in.
#include "WorkbenchFixture.h"

#include "pixorama/tilemo/EleContainer.h"
#include "pixorama/tilemo/EleViewContainer.h"
#include "pixorama/tilemo/Tilemo.h"

#include <QAction>
#include <QTest>
#include <QToolBar>

namespace {

// Records which group a command reached instead of running it.
class RecordingFrame : public CMainFrame {
public:
    std::vector<std::pair<std::string, int>> calls;

    void OnViewModeCommand(int id) override { calls.emplace_back("view", id); }
    void OnSelectionCommand(int id) override { calls.emplace_back("selection", id); }
    void OnEditCommand(int id) override { calls.emplace_back("edit", id); }
    void OnEnhanceCommand(int id) override { calls.emplace_back("enhance", id); }
    void OnArtCommand(int id) override { calls.emplace_back("art", id); }
    void OnBasicCommand(int id) override { calls.emplace_back("basic", id); }
    void OnLargeFovCommand(int id) override { calls.emplace_back("largefov", id); }
    void OnVolumeCommand(int id) override { calls.emplace_back("volume", id); }
    void OnReconCommand(int id) override { calls.emplace_back("recon", id); }
    void OnScriptCommand(int id) override { calls.emplace_back("script", id); }
    void OnAnalysisCommand(int id) override { calls.emplace_back("analysis", id); }
    void OnSegmentCommand(int id) override { calls.emplace_back("segment", id); }
};

TEST(Routing, EveryRangeReachesItsGroup)
{
    RecordingFrame frame;
    const std::vector<std::pair<int, std::string>> cases = {
        {2224, "basic"}, {2242, "basic"}, {2244, "basic"}, {2230, "basic"},
        {2255, "view"}, {2258, "view"}, {2274, "selection"}, {2304, "selection"},
        {2334, "art"}, {2349, "art"}, {2375, "edit"}, {2379, "edit"}, {2384, "edit"},
        {2394, "enhance"}, {2403, "enhance"}, {2415, "analysis"}, {2416, "analysis"},
        {2454, "recon"}, {2464, "recon"}, {2926, "recon"}, {2475, "largefov"}, {2484, "largefov"},
        {2494, "volume"}, {2503, "volume"}, {2524, "segment"}, {2544, "segment"},
        {2625, "script"}, {2626, "script"},
    };
    for (const auto& [id, group] : cases) {
        frame.calls.clear();
        frame.OnCommand(id);
        ASSERT_EQ(frame.calls.size(), 1u) << id;
        EXPECT_EQ(frame.calls[0], std::make_pair(group, id));
    }
}

TEST(Routing, IdsBetweenRangesReachNoGroup)
{
    RecordingFrame frame;
    for (int id : {0, 2223, 2245, 2254, 2259, 2273, 2305, 2333, 2350, 2374, 2385, 2404, 2414, 2417, 2440, 2927, 2955})
        frame.OnCommand(id);
    EXPECT_TRUE(frame.calls.empty());
}

TEST(Routing, MenuAndToolBarActionsCarryTheirIds)
{
    RecordingFrame frame;
    frame.menuAction(2242)->trigger();
    frame.menuAction(2396)->trigger();
    frame.toolBar()->actions()[3]->trigger();
    EXPECT_EQ(frame.calls, (std::vector<std::pair<std::string, int>>{{"basic", 2242}, {"enhance", 2396}, {"view", 2255}}));
}

TEST(Routing, KeysOpenAndReopen)
{
    RecordingFrame frame;
    frame.show();
    QApplication::processEvents();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&frame, Qt::Key_F5);
    EXPECT_EQ(frame.calls, (std::vector<std::pair<std::string, int>>{{"basic", 2224}, {"basic", 2228}}));
}

TEST(Routing, ViewModesSetTheirRatios)
{
    CMainFrame frame;
    frame.show();
    QApplication::processEvents();
    ViewGrid& grid = gCTERGetContainer()->viewArea()->grid();
    struct Mode {
        int id;
        float r0, ry, rx;
        bool maximised;
    };
    const Mode modes[] = {
        {2257, 1.2f, 0.5f, 0.5f, false},
        {2256, 1.2f, -0.2f, 0.5f, false},
        {2258, 0.8f, -0.2f, -0.2f, false},
        {2255, 1.2f, -0.2f, -0.2f, true},
    };
    for (const Mode& m : modes) {
        frame.OnCommand(m.id);
        EXPECT_FLOAT_EQ(grid.gridRatio(), m.r0) << m.id;
        EXPECT_FLOAT_EQ(grid.rowRatio(), m.ry) << m.id;
        EXPECT_FLOAT_EQ(grid.columnRatio(), m.rx) << m.id;
        EXPECT_EQ(grid.isMaximised(), m.maximised) << m.id;
    }
}

} // namespace
