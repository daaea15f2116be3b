// The geometry side of QEVCtrlContainer: cell rectangles, sizing the
// window that holds it, and rescaling the cells when that window resizes.
#include "pixorama/parlet/QEVCtrlContainer.h"

#include "pixorama/platform/Translation.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace {

// The sized window's rectangle grows by the title strip and whatever the
// window has outside its client area; Qt widgets resize by their client
// area, so that part is zero here.
plat::Rect sizedRect(int titleWidth, const plat::Rect& content)
{
    return {0, 0, titleWidth + content.width(), content.height()};
}

// Scales one axis of the cell: scale becomes parent / reference and each
// length its base times scale. Nothing changes without a reference.
void scaleAxis(int parent, int reference, float& scale, std::initializer_list<std::pair<int*, int>> lengths)
{
    if (reference <= 0)
        return;
    scale = float(parent) / float(reference);
    for (const auto& [length, base] : lengths)
        *length = int(float(base) * scale);
}

// Room a control needs around its text: the frame of a label, the box of
// a check box, the bevel of a button, the arrow of a combo.
int framing(const CString& kind)
{
    const QStyle* style = QApplication::style();
    if (kind == L"CheckBox")
        return style->pixelMetric(QStyle::PM_IndicatorWidth) + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 6;
    if (kind == L"Button")
        return 16;
    if (kind == L"Combo")
        return style->pixelMetric(QStyle::PM_ScrollBarExtent) + 16;
    return 6;
}

} // namespace

void QEVCtrlContainer::FitCellsToTexts()
{
    const QFontMetrics metrics(m_Font);
    int widest = m_BaseCell.width;
    for (const CtrlItem& item : m_Items) {
        int text = item.kind == L"Combo" || item.caption.empty() ? 0 : metrics.horizontalAdvance(plat::tr(QString::fromStdWString(item.caption)));
        for (const CString& option : item.options)
            text = std::max(text, metrics.horizontalAdvance(plat::tr(QString::fromStdWString(option))));
        if (text == 0)
            continue;
        const int span = std::max(1, item.columnSpan);
        const int needed = text + framing(item.kind);
        widest = std::max(widest, (needed - (span - 1) * m_BaseCell.hGap + span - 1) / span);
    }
    m_BaseCell.width = widest;
}

void QEVCtrlContainer::ComputeOkCancelRect()
{
    const double first = m_Columns * 0.5 - 1.0;
    const double second = m_Columns * 0.5;
    const float row = float(m_Rows - 1);
    GetCtrlRect(row, float(first), m_OkRect);
    GetCtrlRect(row, float(second), m_CancelRect);
}

void QEVCtrlContainer::MoveOkCancel()
{
    ComputeOkCancelRect();
    Place(m_Ok, m_OkRect);
    Place(m_Cancel, m_CancelRect);
}

void QEVCtrlContainer::MovePreNext()
{
    ComputeOkCancelRect();
    Place(m_Pre, m_OkRect);
    Place(m_Next, m_CancelRect);
}

void QEVCtrlContainer::Place(QWidget* widget, const plat::Rect& rect)
{
    if (widget != nullptr)
        widget->setGeometry(rect.left, rect.top, std::max(0, rect.width()), std::max(0, rect.height()));
}

void QEVCtrlContainer::GetCtrlRect(float row, float column, plat::Rect& out, int rowSpan, int columnSpan) const
{
    const CellPara& c = m_Cell;
    out.left = int(float(c.width + c.hGap) * column + float(c.leftMargin));
    out.right = out.left + (columnSpan - 1) * (c.width + c.hGap) + c.width;
    out.top = int(float(c.height + c.vGap) * row + float(c.topMargin));
    out.bottom = out.top + (rowSpan - 1) * (c.height + c.vGap) + c.height;
}

void QEVCtrlContainer::GetContainerRect(plat::Rect& out) const
{
    const CellPara& c = m_Cell;
    out.left = 0;
    out.top = 0;
    out.right = c.width + int(float(c.width + c.hGap) * float(m_Columns - 1) + float(c.leftMargin)) + c.leftMargin;
    out.bottom = c.height + int(float(c.height + c.vGap) * float(m_Rows - 1) + float(c.topMargin)) + c.topMargin;
}

QWidget* QEVCtrlContainer::SizedWindow() const
{
    QWidget* parent = parentWidget();
    if (parent != nullptr && !m_bUsedInDlg)
        parent = parent->parentWidget();
    return parent;
}

void QEVCtrlContainer::ComputeParentWinSize()
{
    plat::Rect content;
    GetContainerRect(content);
    m_ParentWinRect = sizedRect(m_TitleWidth, content);
}

void QEVCtrlContainer::GetParentWinRect(plat::Rect& out)
{
    ComputeParentWinSize();
    out = m_ParentWinRect;
}

void QEVCtrlContainer::SetParentWinSize()
{
    ComputeParentWinSize();
    QWidget* sized = SizedWindow();
    if (sized == nullptr)
        return;
    sized->resize(m_ParentWinRect.width(), m_ParentWinRect.height());
    m_ParentClientRect = {0, 0, m_ParentWinRect.width(), m_ParentWinRect.height()};
    sized->update();
}

void QEVCtrlContainer::onSize(int width, int height)
{
    if (!m_bCreated)
        return;
    m_ParentClientRect = {0, 0, width, height};
    AdjustPara();
    MoveCtrl();
    invalidate();
}

void QEVCtrlContainer::AdjustPara()
{
    if (m_bXAdjustable)
        AdjustXPara();
    if (m_bYAdjustable)
        AdjustYPara();
}

void QEVCtrlContainer::AdjustXPara()
{
    scaleAxis(m_ParentClientRect.width(), m_ReferenceRect.width(), m_ScaleX,
              {{&m_Cell.width, m_BaseCell.width}, {&m_Cell.hGap, m_BaseCell.hGap},
               {&m_Cell.leftMargin, m_BaseCell.leftMargin}});
}

void QEVCtrlContainer::AdjustYPara()
{
    scaleAxis(m_ParentClientRect.height(), m_ReferenceRect.height(), m_ScaleY,
              {{&m_Cell.height, m_BaseCell.height}, {&m_Cell.vGap, m_BaseCell.vGap},
               {&m_Cell.topMargin, m_BaseCell.topMargin}});
}

void QEVCtrlContainer::MoveCtrl()
{
    for (std::size_t i = 0; i < m_Items.size() && i < m_Controls.size(); ++i) {
        const CtrlItem& item = m_Items[i];
        plat::Rect r;
        GetCtrlRect(float(item.row), float(item.column), r, item.rowSpan, item.columnSpan);
        Place(m_Controls[i], r);
    }
    if (m_bShowOkCancel)
        MoveOkCancel();
    if (m_bShowPreNext)
        MovePreNext();
}
