#pragma once

#include "pixorama/platform/Wnd.h"
#include "pixorama/tilemo/ViewGrid.h"

#include <array>
#include <string>

class EleSegBar;
class EleView;
class QTextEdit;

// The four-view area: a 2 x 2 grid of image views over an information
// strip, split by three bars. The ratios live in a ViewGrid that outlives
// the window, so settings made before the window exists still hold.
class EleViewContainer : public plat::Wnd {
public:
    // Control ids of the views and of the information strip.
    static constexpr int ltViewId = 21036;
    static constexpr int rtViewId = 21038;
    static constexpr int lbViewId = 21040;
    static constexpr int rbViewId = 21034;
    static constexpr int infoId = 21042;

    EleViewContainer(plat::Wnd* parent, plat::Wnd* notifyTarget, ViewGrid& grid);

    ViewGrid& grid() { return ratios; }
    // Places the views, bars and strip for the current size and ratios.
    void layOut();
    const ViewGridRects& rects() const { return placed; }

    // 0 left-top, 1 right-top, 2 left-bottom, 3 right-bottom.
    EleView* view(int slot) const { return views[std::size_t(slot)]; }
    // 0 grid bar, 1 row bar, 2 column bar.
    EleSegBar* bar(int which) const { return bars[std::size_t(which)]; }
    QTextEdit* infoCtrl() const { return info; }
    void setInfo(const std::wstring& text);
    std::wstring infoText() const;

    void refreshAll();

    std::intptr_t onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;

protected:
    void onPaint(plat::Dc& dc) override;
    void onSize(int width, int height) override;

private:
    ViewGrid& ratios;
    ViewGridRects placed;
    std::array<EleSegBar*, 3> bars{};
    std::array<EleView*, 4> views{};
    QTextEdit* info = nullptr;
};
