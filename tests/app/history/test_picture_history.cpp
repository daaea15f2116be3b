// Undo and redo of canvas 4's picture through the main window: every kind
// of change comes back byte for byte, and the history keeps its budget.
#include "WorkbenchFixture.h"

#include "pixorama/canvo/CanvasInput.h"
#include "pixorama/canvo/CanvasRegions.h"
#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/canvo/InteractiveMPoint.h"
#include "pixorama/common/tagQEVParaReport.h"
#include "pixorama/workbench/CommandIds.h"
#include "pixorama/workbench/MenuTables.h"
#include "pixorama/workbench/ParaReport.h"
#include "pixorama/workbench/RawWindow.h"

#include <QTest>

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

template <typename T>
std::vector<unsigned char> bytesOf(const ClassData2DIOGeneral<T>& image)
{
    std::vector<unsigned char> out;
    if (image.IsEmpty())
        return out;
    for (int y = 0; y < image.height; ++y) {
        const auto* row = reinterpret_cast<const unsigned char*>(image.rows[y]);
        out.insert(out.end(), row, row + std::size_t(image.width) * sizeof(T));
    }
    return out;
}

// Everything the history restores, as bytes and texts.
struct Picture {
    std::vector<int> facts; // file type, sizes, captured flag
    std::vector<unsigned char> surface, working, ori, label;
    std::vector<std::vector<unsigned char>> planes;
    std::string overlays;
    std::pair<float, float> window;

    static Picture Now()
    {
        InteractiveImage& c = *CanvasTable::At(4);
        WorkState& s = gWorkState();
        Picture p;
        p.facts = {int(c.fileType), c.imageWidth, c.imageHeight, c.canvasSurface.Width(), c.canvasSurface.Height(),
                   int(s.planesCaptured), c.selectedIndex, c.regionTotal, c.rectCount, c.polygonCount};
        if (c.canvasSurface.Exists()) {
            const auto* px = reinterpret_cast<const unsigned char*>(c.canvasSurface.Pixels());
            p.surface.assign(px, px + std::size_t(c.canvasSurface.Width()) * c.canvasSurface.Height() * 4);
        }
        p.working = bytesOf(c.workingRaw);
        p.ori = bytesOf(c.oriRaw);
        // Reading a label image not written yet would write it: take its value.
        if (c.UniformLabel() >= 0) {
            std::vector<int> labels(std::size_t(c.canvasSurface.Width()) * c.canvasSurface.Height(), c.UniformLabel());
            p.label.resize(labels.size() * sizeof(int));
            std::memcpy(p.label.data(), labels.data(), p.label.size());
        } else {
            p.label = bytesOf(c.LabelImage());
        }
        for (const QEVUCDATA2D* plane : {&s.sourceR, &s.sourceG, &s.sourceB, &s.grey, &s.resultR, &s.resultG, &s.resultB})
            p.planes.push_back(bytesOf(*plane));
        std::ostringstream text;
        for (const auto& o : c.overlays) {
            text << o->kind << ':' << o->ordinal << ':' << o->kindOrdinal << ':' << o->selected;
            for (const auto& pt : o->imagePoints)
                text << ' ' << pt.x << ',' << pt.y;
            text << ';';
        }
        p.overlays = text.str();
        p.window = {s.rawWindowLeft, s.rawWindowRight};
        return p;
    }

    // The first part that differs; empty when none does.
    std::string Difference(const Picture& o) const
    {
        if (facts != o.facts) return "facts";
        if (surface != o.surface) return "surface";
        if (working != o.working) return "working raw";
        if (ori != o.ori) return "ori raw";
        if (label != o.label) return "label";
        for (std::size_t i = 0; i < planes.size(); ++i)
            if (planes[i] != o.planes[i]) return "plane " + std::to_string(i);
        if (overlays != o.overlays) return "overlays " + overlays + " / " + o.overlays;
        if (window != o.window) return "window";
        return {};
    }
};

class PictureHistoryTest : public WorkbenchTest {
protected:
    void TearDown() override
    {
        History().SetBudget(PictureHistory::ConfiguredBudget());
        History().Clear();
        WorkbenchTest::TearDown();
    }

    static PictureHistory& History() { return gPictureHistory(); }

    void OpenColour(int w, int h)
    {
        OpenColourByMenu("c.png", w, h, [](int x, int y) {
            return unsigned(17 * x + 3 * y) % 256 << 16 | unsigned(11 * y + x * x) % 256 << 8 | unsigned(5 * x * y % 256);
        });
        ASSERT_EQ(gCVSGetFileType(canvas), FilePicture8);
    }

    std::wstring OpenRaw(int w, int h)
    {
        const std::wstring path = WriteRaw("r.raw", w, h, [](int x, int y) { return std::uint16_t(300 * x + 7 * y * y); });
        OpenRawByMenu(path, w, h);
        return path;
    }

    static void AddRegion(std::vector<PointTemplateBase<double>> points)
    {
        auto region = std::make_unique<InteractiveMPoint>();
        region->kind = OverlayPolygon;
        region->imagePoints = std::move(points);
        CanvasTable::At(4)->AddOverlay(std::move(region));
    }

    static tagQEVParaReport Report(int kind, float value)
    {
        tagQEVParaReport r;
        r.SetInt(0, 1);
        r.SetFloat(7, value);
        r.SetInt(10, kind);
        return r;
    }

    // Runs a change, checks that it changed something, that it is named,
    // and that Undo and Redo give the picture before and after it exactly.
    void Step(const std::wstring& name, const std::function<void()>& change)
    {
        SCOPED_TRACE(plat::toUtf8(name));
        const Picture before = Picture::Now();
        const std::size_t steps = History().UndoCount();
        change();
        const Picture after = Picture::Now();
        ASSERT_NE(after.Difference(before), "") << "the change changed nothing";
        ASSERT_EQ(History().UndoCount(), steps + 1);
        EXPECT_EQ(History().UndoName(), name);
        EXPECT_EQ(frame->paneText(3), L"撤销：" + name);
        frame->OnCommand(ID_UNDO);
        EXPECT_EQ(Picture::Now().Difference(before), "");
        EXPECT_EQ(History().RedoName(), name);
        frame->OnCommand(ID_REDO);
        EXPECT_EQ(Picture::Now().Difference(after), "");
        states.push_back(after);
    }

    // Undoes every step back to the first state, then redoes them all.
    void UnwindAndReplay(const Picture& first)
    {
        const std::size_t count = History().UndoCount();
        ASSERT_EQ(count, states.size());
        for (std::size_t i = count; i-- > 0;) {
            EXPECT_EQ(Picture::Now().Difference(states[i]), "") << "before undo " << i;
            frame->OnCommand(ID_UNDO);
        }
        EXPECT_EQ(Picture::Now().Difference(first), "");
        EXPECT_FALSE(History().Undo());
        for (std::size_t i = 0; i < count; ++i) {
            frame->OnCommand(ID_REDO);
            EXPECT_EQ(Picture::Now().Difference(states[i]), "") << "after redo " << i;
        }
        EXPECT_FALSE(History().Redo());
    }

    std::vector<Picture> states;
};

TEST_F(PictureHistoryTest, EveryKindOfChangeToAColourPictureComesBackExactly)
{
    OpenColour(24, 18);
    AddRegion({{1, 1}, {6, 1}, {6, 12}});
    AddRegion({{10, 2}, {20, 2}, {20, 16}, {10, 16}});
    AddRegion({{3, 4}, {15, 4}, {15, 9}, {3, 9}});
    // A label image not written yet, as a shown raw picture has.
    CanvasTable::At(canvas)->SetUniformLabel(1);
    const Picture first = Picture::Now();
    // Limited to the selected region: only its rows change on the surface.
    Step(L"水平镜像", [&] { frame->OnCommand(2376); });
    Step(L"颜色调整", [&] {
        DispatchParaReport(Report(3, 0.9f));
        DispatchParaReport(Report(3, 0.2f)); // the same gesture
        QTest::mouseRelease(frame.get(), Qt::LeftButton);
    });
    Step(L"固化结果", [&] { frame->OnCommand(2244); });
    Step(L"删除", [&] { frame->OnCommand(2302); });
    Step(L"删除全部", [&] { gCVSOnKeyDown(canvas, 'C', 1, 0); });
    Step(L"直方图均衡", [&] { frame->OnCommand(2396); });
    Step(L"老照片", [&] { frame->OnCommand(2338); });
    Step(L"二值化", [&] { frame->OnCommand(2526); });
    Step(L"剪切", [&] {
        Answer(std::map<std::wstring, std::wstring>{
            {L"m_RectLeft", L"2"}, {L"m_RectTop", L"3"}, {L"m_RectRight", L"15"}, {L"m_RectBottom", L"11"}});
        frame->OnCommand(2375);
    });
    Step(L"缩放", [&] {
        Answer(std::map<std::wstring, std::wstring>{{L"ImaOneW", L"31"}, {L"ImaOneH", L"9"}});
        frame->OnCommand(2384);
    });
    UnwindAndReplay(first);
}

// A change after an undo drops the redo steps, whose buffers the next
// steps take over with old pictures still in them: every version must
// still come back exactly, at either size. The picture is large enough
// for its surface to be kept as a spare too.
TEST_F(PictureHistoryTest, ChangesAfterAnUndoWriteIntoRecycledBuffersAndStillComeBackExactly)
{
    OpenColour(600, 450);
    const Picture first = Picture::Now();
    const auto undoLast = [&] {
        frame->OnCommand(ID_UNDO);
        states.pop_back();
    };
    Step(L"老照片", [&] { frame->OnCommand(2338); });
    undoLast();
    Step(L"底片", [&] { frame->OnCommand(2342); });
    Step(L"固化结果", [&] { frame->OnCommand(2244); });
    undoLast();
    Step(L"缩放", [&] {
        Answer(std::map<std::wstring, std::wstring>{{L"ImaOneW", L"23"}, {L"ImaOneH", L"17"}});
        frame->OnCommand(2384);
    });
    Step(L"二值化", [&] { frame->OnCommand(2526); });
    undoLast();
    undoLast();
    Step(L"钢笔画", [&] { frame->OnCommand(2341); });
    Step(L"老照片", [&] { frame->OnCommand(2338); });
    // Shown again from its planes, the picture captures to the planes as
    // they are; the effects after it start from there.
    Step(L"重新打开图像", [&] { frame->OnCommand(ID_REOPEN); });
    Step(L"老照片", [&] { frame->OnCommand(2338); });
    Step(L"底片", [&] { frame->OnCommand(2342); });
    UnwindAndReplay(first);
}

// A step may hold the old pixels while the command reads them and writes
// new ones: the command must make the same picture as when no step is
// recorded, inside and outside the regions.
TEST_F(PictureHistoryTest, ACommandMakesTheSamePictureWhetherItsStepIsRecordedOrNot)
{
    OpenColour(600, 450);
    AddRegion({{10, 10}, {300, 20}, {200, 400}});
    struct Run {
        int id;
        void (CMainFrame::*group)(int);
    };
    for (const Run run : {Run{2338, &CMainFrame::OnArtCommand}, Run{2376, &CMainFrame::OnEditCommand},
                          Run{2396, &CMainFrame::OnEnhanceCommand}}) {
        SCOPED_TRACE(run.id);
        const Picture before = Picture::Now();
        frame->OnCommand(run.id);
        const Picture recorded = Picture::Now();
        ASSERT_NE(recorded.Difference(before), "");
        frame->OnCommand(ID_UNDO);
        ASSERT_EQ(Picture::Now().Difference(before), "");
        ((*frame).*run.group)(run.id);
        EXPECT_EQ(Picture::Now().Difference(recorded), "");
        frame->OnCommand(ID_REDO); // the next command starts from here
    }
}

TEST_F(PictureHistoryTest, EveryKindOfChangeToARawPictureComesBackExactly)
{
    const int w = 20;
    const int h = 14;
    OpenRaw(w, h);
    const Picture first = Picture::Now();
    Step(L"负片", [&] { frame->OnCommand(2378); });
    Step(L"自动窗宽窗位", [&] { frame->OnCommand(ID_AUTO_RAW_WINDOW); });
    Step(L"剪切", [&] {
        Answer(std::map<std::wstring, std::wstring>{
            {L"m_RectLeft", L"1"}, {L"m_RectTop", L"2"}, {L"m_RectRight", L"12"}, {L"m_RectBottom", L"9"}});
        frame->OnCommand(2375);
    });
    Step(L"重新打开图像", [&] {
        AnswerRawLoad(w, h);
        frame->OnCommand(2228);
    });
    Step(L"上下镜像", [&] { frame->OnCommand(2377); });
    // Raws written in place through the lent pixels, in a few rows only.
    Step(L"笔", [&] {
        History().Begin(L"笔");
        float** rows = gCVSGetRawPtr2D(canvas);
        float** oriRows = gCVSGetRawOriPtr2D(canvas);
        rows[3][4] = 1.0f;
        oriRows[5][2] = 2.0f;
        History().End();
    });
    // A grey result in place of the raw picture: the raws go.
    Step(L"二值化", [&] { frame->OnCommand(2526); });
    UnwindAndReplay(first);
    // The display window is a step of its parameters alone.
    History().Clear();
    frame->OnCommand(ID_AUTO_RAW_WINDOW);
    ASSERT_EQ(History().UndoCount(), 1u);
    EXPECT_LT(History().Bytes(), std::size_t(w) * h);
}

TEST_F(PictureHistoryTest, TheBudgetDropsTheOldestStepAndAnOversizedStepClearsTheHistory)
{
    OpenColour(30, 20);
    frame->OnCommand(2376);
    const Picture afterFirst = Picture::Now();
    frame->OnCommand(2377);
    frame->OnCommand(2378);
    ASSERT_EQ(History().UndoCount(), 3u);
    const std::size_t all = History().Bytes();
    History().SetBudget(all - 1);
    EXPECT_EQ(History().UndoCount(), 2u);
    EXPECT_LE(History().Bytes(), all - 1);
    frame->OnCommand(ID_UNDO);
    frame->OnCommand(ID_UNDO);
    EXPECT_FALSE(frame->menuAction(ID_UNDO)->isEnabled());
    EXPECT_EQ(Picture::Now().Difference(afterFirst), "");

    // A new change drops the steps Redo could bring back.
    ASSERT_EQ(History().RedoCount(), 2u);
    EXPECT_TRUE(frame->menuAction(ID_REDO)->isEnabled());
    frame->OnCommand(2378);
    EXPECT_EQ(History().RedoCount(), 0u);
    EXPECT_EQ(History().UndoCount(), 1u);
    EXPECT_FALSE(frame->menuAction(ID_REDO)->isEnabled());

    // A step larger than the whole budget: the change stands, the history goes.
    History().SetBudget(all / 10);
    const Picture before = Picture::Now();
    frame->OnCommand(2376);
    EXPECT_NE(Picture::Now().Difference(before), "");
    EXPECT_EQ(History().UndoCount(), 0u);
    EXPECT_EQ(frame->paneText(3), L"步骤太大，撤销记录已清空");

    // Opening a picture starts a new history.
    History().SetBudget(all * 4);
    frame->OnCommand(2378);
    ASSERT_EQ(History().UndoCount(), 1u);
    frame->OnCommand(2224);
    EXPECT_EQ(History().UndoCount(), 0u);
    EXPECT_EQ(History().RedoCount(), 0u);
    EXPECT_EQ(frame->paneText(3), L"编辑信息");
}

// A step keeps the rows a change altered, every plane it rewrote when it
// changed the whole picture, and nothing when it changed nothing.
TEST_F(PictureHistoryTest, AStepKeepsWhatTheChangeAltered)
{
    const int w = 600;
    const int h = 450;
    OpenColour(w, h);
    const std::size_t planeBytes = std::size_t(w) * h;
    const std::size_t wholePicture = planeBytes * (4 + 3); // surface, result planes
    frame->OnCommand(2338);
    ASSERT_EQ(History().UndoCount(), 1u);

    // The same effect again writes the same pixels: no step.
    frame->OnCommand(2338);
    EXPECT_EQ(History().UndoCount(), 1u);

    // Shown again from its planes and given the same effect: the surface
    // changes whole, so does the step, though the result planes come out
    // as they were.
    frame->OnCommand(ID_REOPEN);
    History().Clear();
    Step(L"老照片", [&] { frame->OnCommand(2338); });
    EXPECT_GE(History().Bytes(), wholePicture);

    // Raws written in place in rows 3 to 5: those rows.
    OpenRaw(w, h);
    History().Begin(L"笔");
    gCVSGetRawPtr2D(canvas)[3][4] = 1.0f;
    gCVSGetRawOriPtr2D(canvas)[5][2] = 2.0f;
    History().End();
    ASSERT_EQ(History().UndoCount(), 1u);
    EXPECT_LE(History().Bytes(), 2 * 3 * std::size_t(w) * sizeof(float) + 4096);
}

// The history is a static that outlives the command: at exit it hands its
// buffers back while the other statics are being destroyed.
TEST_F(PictureHistoryTest, AProgramEndingWithLargeStepsInItsHistoryEndsCleanly)
{
    // A fresh process, not a fork of this one and its worker threads.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            OpenColour(800, 700);
            frame->OnCommand(2338);
            frame->OnCommand(2396);
            if (History().UndoCount() != 2)
                std::_Exit(3);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
