#include "pixorama/brovia/QEVDlgForThreshold.h"

#include "pixorama/brovia/ControlId.h"

#include "StripPainting.h"
#include "pixorama/platform/SourceText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

QEVDlgForThreshold::QEVDlgForThreshold()
{
    SetLabel(L"阈值");
}

void QEVDlgForThreshold::PreCreateWin()
{
    if (labelCtrl != nullptr)
        return;
    labelCtrl = new QLabel(this);
    plat::setSourceText(labelCtrl, QString::fromStdWString(GetLabel()));
    combo = new QComboBox(this);
    plat::setSourceItems(combo, {QStringLiteral("高斯模糊"), QStringLiteral("均值模糊"), QStringLiteral("中值模糊")});
    combo->setCurrentIndex(0);
}

bool QEVDlgForThreshold::CreateWin(const plat::Rect& rect, plat::Wnd* owner, int id)
{
    PreCreateWin();
    SetCtrlId(combo, id + 2);
    return QEVSelfDrawWndBase::CreateWin(rect, owner, id);
}

void QEVDlgForThreshold::SetPos(float position)
{
    p = std::clamp(position, 0.0f, 1.0f);
    invalidate();
}

plat::Rect QEVDlgForThreshold::HandleRect() const
{
    const int left = HandleLeft(p);
    return {left, 0, left + GetHandleWidth(), height()};
}

void QEVDlgForThreshold::ApplyDisplayMode()
{
    QEVSelfDrawWndBase::ApplyDisplayMode();
    if (combo == nullptr)
        return;
    plat::setSourceText(labelCtrl, QString::fromStdWString(GetLabel()));
    labelCtrl->setGeometry(0, 0, labelWidth, height());
    combo->setGeometry(0, 0, labelWidth, height());
    // The painted label stands for the static control in mode 2.
    labelCtrl->hide();
    const bool showCombo = GetDisplayMode() == ModeCombo;
    if (showCombo && !combo->isVisible())
        combo->setCurrentIndex(0);
    combo->setVisible(showCombo);
}

void QEVDlgForThreshold::Render(plat::Dc& off)
{
    const plat::Rect handle = HandleRect();
    off.fillRect(clientRect(), plat::rgb(210, 210, 210));
    off.fillRect({labelWidth, 0, handle.left, height()}, plat::rgb(0, 0, 0));
    off.fillRect({handle.right, 0, width(), height()}, plat::rgb(255, 255, 255));
    DrawStripHandle(off, handle);
    DrawLabelText(off);
}

void QEVDlgForThreshold::FillReport(tagQEVParaReport& r)
{
    r.SetFloat(7, p);
    if (GetDisplayMode() == ModeCombo && combo != nullptr)
        r.SetInt(8, combo->currentIndex());
}

void QEVDlgForThreshold::onLButtonDown(unsigned, plat::Point pt)
{
    if (!PressInTrack(pt))
        return;
    dragging = HandleRect().contains(pt);
}

void QEVDlgForThreshold::onMouseMove(unsigned flags, plat::Point pt)
{
    if (!dragging || !(flags & plat::MK_LBUTTON))
        return;
    p = std::clamp(p + TrackDelta(pt), 0.0f, 1.0f);
    invalidate();
}

void QEVDlgForThreshold::onLButtonUp(unsigned, plat::Point)
{
    if (!dragging)
        return;
    dragging = false;
    SendMSG();
}

void QEVDlgForThreshold::onMouseLeave()
{
    onLButtonUp(0, {});
}

void QEVDlgForThreshold::onMouseWheel(unsigned, int delta, plat::Point pt)
{
    if (!TrackRect().contains(pt) || delta == 0)
        return;
    const float next = p + (delta > 0 ? wheelStep : -wheelStep);
    if (!(next > wheelEdge && next < 1.0f - wheelEdge))
        return;
    p = next;
    invalidate();
    SendMSG();
}
