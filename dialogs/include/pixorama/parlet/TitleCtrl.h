#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/platform/Wnd.h"

#include <vector>

// The wizard's page index: one title cell per page, stacked from the top,
// the current one lighter. Choosing a page (Previous, Next or a click on a
// title) sends MSG_SHOW_PAGE with the index to the parent.
class TitleCtrl : public plat::Wnd {
    Q_OBJECT

public:
    TitleCtrl();
    ~TitleCtrl() override;

    bool Create(const plat::Rect& rect, QWidget* parent, int id);
    // "\r\n" in a title breaks it into lines (vertical text).
    void SetTitles(const std::vector<CString>& titles);
    const std::vector<CString>& GetTitles() const { return m_Titles; }
    void SetPageCount(int count);
    int GetPageCount() const { return m_PageCount; }
    void SetCellHeight(int height) { m_CellHeight = height; }
    int GetCurrentIndex() const { return m_Current; }
    // Title i occupies the full width and rows [i * cell height, (i + 1) * cell height).
    plat::Rect GetTitleRect(int index) const;

    // Both keep the index within [0, page count - 1].
    void Previous();
    void Next();

protected:
    void onPaint(plat::Dc& dc) override;
    void onLButtonDown(unsigned flags, plat::Point p) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Select(int index);

    std::vector<CString> m_Titles;
    int m_PageCount = 2;
    int m_CellHeight = 100;
    int m_Current = 0;
};
