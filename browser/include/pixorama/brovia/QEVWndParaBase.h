#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/platform/GdiObjects.h"
#include "pixorama/platform/Wnd.h"

#include <vector>

class QScrollBar;
class QEVSelfDrawWndBase;

// One titled group of a parameter panel and its strips.
struct QEVParaGroup {
    CString title;
    plat::Rect titleRect;
    plat::Rect contentRect;
    bool open = false;
    plat::ColorRef titleColor = plat::rgb(225, 225, 225);
    plat::ColorRef contentColor = plat::rgb(210, 210, 210);
    int titleHeight = 25;
    int contentHeight = 0; // n x strip height + (n + 1) x gap
    int n = 0;
    std::vector<CString> labels;
    std::vector<int> ids; // written into word 10 of each strip's report
    std::vector<QEVSelfDrawWndBase*> strips;
};

// A scrolling panel of titled groups of strips. Clicking a group title
// opens that group and closes the others; a click outside every title
// closes them all. From the top, shifted by the scroll position, each group
// takes a title band of 25 pixels and, when open, a content band in which
// its strips are stacked with a 10-pixel gap above, between and below them.
class QEVWndParaBase : public plat::Wnd {
public:
    static constexpr int gap = 10;
    static constexpr int stripHeight = 30;
    static constexpr int titleHeight = 25;

    QEVWndParaBase();
    ~QEVWndParaBase() override;

    // Fills the group vector (the panel's table); run again by Create.
    virtual void SetupGroups() = 0;
    // Becomes a visible child of parent with that id; its strips get the
    // ids id + 1, id + 2, ... in group order.
    bool Create(const plat::Rect& rect, plat::Wnd* parent, int id);

    const std::vector<QEVParaGroup>& Groups() const { return groups; }
    // The strip that reports with that id; null when none does.
    QEVSelfDrawWndBase* StripByReportId(int id) const;
    // Opens group g (-1: none) and closes the others.
    void OpenGroup(int g);
    void LayOut();
    int ScrollExtent() const { return extent; }
    int ScrollPos() const { return scroll; }
    void SetScrollPos(int pos);

    std::intptr_t onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;

protected:
    void AddGroup(const CString& title, const std::vector<std::pair<CString, int>>& strips, bool open);
    virtual QEVSelfDrawWndBase* NewStrip() const = 0;

    void onPaint(plat::Dc& dc) override;
    void onSize(int width, int height) override;
    void onLButtonDown(unsigned flags, plat::Point p) override;
    void onMouseWheel(unsigned flags, int delta, plat::Point p) override;

private:
    void CreateStrips();
    void UpdateScrollBar();

    std::vector<QEVParaGroup> groups;
    plat::Font font{L"宋体", 16};
    int baseId = 0;
    int extent = 0;
    int scroll = 0;
    QScrollBar* scrollBar = nullptr;
};
