#pragma once

#include "pixorama/brovia/SegBarPositions.h"
#include "pixorama/common/CString.h"
#include "pixorama/platform/Wnd.h"

#include <QPointer>

#include <array>
#include <vector>

class QEVSegBar;
class QEVFileSetItem;
class QEVFileEngItem;
class QEVInfoTree;
class QEVWndParaRawIma;
class QEVWndParaColorIma;
class QEVWndParaVRPara;

// The browser layout: a vertical stack of sections, each headed by a
// title bar (QEVSegBar) that the user drags to resize its neighbours or
// double-clicks to maximise its section. Section 0 holds the folder tree,
// section 1 the file lists, section 2 the grey-scale panel and, in the
// four-section layout, section 3 the colour panel.
//
// Geometry, in client coordinates (rectangles exclude right and bottom):
// with h = 20 and usable height U = client height - h, bar i covers the
// rows trunc(U x position i) for h + 1 rows; section i runs from one row
// below its bar to one row above the next bar, the last to the bottom.
class QEVDBLayOut : public plat::Wnd {
public:
    static constexpr int maxSections = 12;
    static constexpr int barHeight = 20;

    QEVDBLayOut();
    ~QEVDBLayOut() override;

    void SetLayOutType(int type) { layOutType = type; }
    int GetLayOutType() const { return layOutType; }
    // Titles of the sections; more than 12 shows "过多的子项" and keeps the
    // first 12. Spreads the bars evenly.
    void SetSubWndInfo(const std::vector<CString>& titles);
    int SectionCount() const { return int(titles.size()); }
    // Marks section 0 as maximised.
    void SetMaxID();
    // Becomes a visible child of parent with the given id and creates the
    // bars and sub-windows; bars get the ids id + 1, id + 2, ... False
    // when the layout was created already.
    bool Create(plat::Wnd* parent, unsigned id);
    int SegBarIDBegin() const { return firstBarId; }
    // Moves the layout to rect, in the parent's client coordinates.
    void SetClientRect(const plat::Rect& rect);

    // Copies of the file lists (empty before Create).
    std::vector<CString> GetFileEngOne() const;
    std::vector<CString> GetFileEngTwo() const;

    float GetPosSB(int i) const { return positions.At(i); }
    // The spacing s: the fraction of the usable height one bar takes.
    float GetMaxSBPosScale() const { return positions.Spacing(); }
    plat::Rect GetBarRect(int i) const;
    plat::Rect GetSubClient(int i) const;
    bool IsMaximised() const { return maximised; }
    int MaximisedIndex() const { return maxIndex; }

    // The bar with that id moved by displacement pixels.
    void OnSegBarMoved(int displacement, int barId);
    // Moves bar i so that its top is at row top, as a drag there would.
    void MoveSB(int i, int top);
    // Section k takes all free height.
    void OnSegBarMaximized(int k);

    QEVSegBar* SegBar(int i) const { return bars[i]; }
    QEVFileSetItem* FileSet() const { return fileSet; }
    QEVFileEngItem* FileEng() const { return fileEng; }
    QEVWndParaRawIma* ParaRaw() const { return paraRaw; }
    QEVWndParaColorIma* ParaColor() const { return paraColor; }
    QEVWndParaVRPara* ParaVR() const { return paraVR; }
    QEVInfoTree* InfoTree() const { return infoTree; }

    std::intptr_t onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;

protected:
    void onPaint(plat::Dc& dc) override;
    void onSize(int width, int height) override;

private:
    void OnCreate();
    void RefreshSBPos();
    void PlaceSubWindows();
    void OnFSAddFileToEng(int list, std::intptr_t path);
    void OnFSSelFile(std::intptr_t path);

    int layOutType = 0;
    std::vector<CString> titles;
    std::array<QEVSegBar*, maxSections> bars{};
    SegBarPositions positions;
    std::vector<int> barTops;
    std::vector<plat::Rect> sections;
    bool maximised = false;
    int maxIndex = 0;
    int firstBarId = 1;
    plat::Rect client;
    QPointer<plat::Wnd> owner;

    QEVFileSetItem* fileSet = nullptr;
    QEVFileEngItem* fileEng = nullptr;
    QEVWndParaRawIma* paraRaw = nullptr;
    QEVWndParaColorIma* paraColor = nullptr;
    QEVWndParaVRPara* paraVR = nullptr;
    QEVInfoTree* infoTree = nullptr;
};
