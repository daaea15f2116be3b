#pragma once

#include "QEVDerivedImaParaWnd.h"
#include "QEVImaParaRecords.h"
#include "TitleCtrl.h"

#include "pixorama/platform/Wnd.h"

#include <functional>

// The body of the two-page wizard: the page index strip on the left and the
// two parameter pages (image pair, then cone-beam reconstruction) to its
// right, one visible at a time. "完成" on the last page reads and saves
// both pages, keeps their records here and tells the dialog.
class LayOutCtrl : public plat::Wnd {
    Q_OBJECT

public:
    static constexpr int kPageCount = 2;
    static constexpr int kTitleWidth = 50;
    static constexpr int kTitleId = 1125;

    LayOutCtrl();
    ~LayOutCtrl() override;

    bool Create(const plat::Rect& rect, QWidget* parent, int id);
    // Fits the strip and the page area into the host's client rectangle.
    void SetSize(const plat::Rect& hostClient);
    void SetMargins(int margins) { m_Margins = margins; }
    int GetMargins() const { return m_Margins; }

    QEVDerivedImaParaWnd& GetPage(int index) { return m_Pages[index]; }
    TitleCtrl& GetTitleCtrl() { return m_Title; }
    int GetVisiblePage() const;
    // The union of the sizes the pages ask of the dialog.
    plat::Rect GetUnionRect() const { return m_UnionRect; }
    plat::Rect GetPageArea() const { return m_PageArea; }

    // Called after "完成" has filled the records below.
    void SetFinishHandler(std::function<void()> handler) { m_OnFinish = std::move(handler); }

    std::intptr_t onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;

    // The wizard's result, filled by "完成".
    tagQEVImaPairPara m_PairPara;
    tagQEVImaVolumeRecPara m_VolumeRecPara;

protected:
    void onSize(int width, int height) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowPage(int index);
    void MarkDefault(int index);
    void Finish();

    TitleCtrl m_Title;
    QEVDerivedImaParaWnd m_Pages[kPageCount];
    bool m_Visible[kPageCount] = {true, false};
    plat::Rect m_PageSizes[kPageCount];
    plat::Rect m_UnionRect;
    plat::Rect m_PageArea;
    int m_Margins = 0;
    std::function<void()> m_OnFinish;
};
