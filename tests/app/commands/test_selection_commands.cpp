// The selection and measuring commands put their overlays on canvas 4.
#include "WorkbenchFixture.h"

#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/canvo/InteractiveCustomRect.h"
#include "pixorama/canvo/InteractiveMeasureAngle3Pts.h"
#include "pixorama/canvo/InteractiveMeasureLine.h"
#include "pixorama/canvo/InteractiveNeighborV.h"
#include "pixorama/canvo/InteractiveRect.h"

#include <typeinfo>

namespace {

class SelectionCommandTest : public WorkbenchTest {
protected:
    static std::vector<std::unique_ptr<Canvo>>& Overlays() { return CanvasTable::At(canvas)->overlays; }

    template <class Overlay>
    static bool LastIs()
    {
        return !Overlays().empty() && dynamic_cast<Overlay*>(Overlays().back().get()) != nullptr;
    }
};

TEST_F(SelectionCommandTest, EachCommandAddsItsOverlayOnColourAndRaw)
{
    for (int picture = 0; picture < 2; ++picture) {
        if (picture == 0) {
            OpenColourByMenu("c.png", 40, 30, [](int, int) { return 0x445566u; });
        } else {
            OpenRawByMenu(WriteRaw("r.raw", 40, 30, [](int x, int) { return std::uint16_t(x); }), 40, 30);
        }
        EXPECT_TRUE(Overlays().empty());
        frame->OnCommand(2274);
        EXPECT_TRUE(LastIs<InteractiveRect>());
        frame->OnCommand(2288);
        EXPECT_TRUE(LastIs<InteractiveMeasureLine>());
        frame->OnCommand(2290);
        EXPECT_TRUE(LastIs<InteractiveMeasureAngle3Pts>());
        frame->OnCommand(2298);
        EXPECT_TRUE(LastIs<InteractiveNeighborV>());
        EXPECT_EQ(Overlays().size(), 4u);
        // "删除" takes the selected one (the newest), "删除全部" the rest.
        frame->OnCommand(2302);
        EXPECT_EQ(Overlays().size(), 3u);
        EXPECT_TRUE(LastIs<InteractiveMeasureAngle3Pts>());
        frame->OnCommand(2304);
        EXPECT_TRUE(Overlays().empty());
    }
}

TEST_F(SelectionCommandTest, TypedRectangleAndScaleAskFirst)
{
    OpenColourByMenu("c.png", 40, 30, [](int, int) { return 0x445566u; });
    Answer(std::nullopt);
    frame->OnCommand(2275);
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(Overlays().empty());
    Answer(std::map<std::wstring, std::wstring>{{L"m_RectLeft", L"2"}, {L"m_RectTop", L"3"},
                                                {L"m_RectRight", L"12"}, {L"m_RectBottom", L"13"}});
    frame->OnCommand(2275);
    EXPECT_TRUE(LastIs<InteractiveCustomRect>());
    Answer(std::nullopt);
    frame->OnCommand(2289);
    EXPECT_EQ(dialogs, 3);
    EXPECT_EQ(Overlays().size(), 1u);
}

} // namespace
