#include "pixorama/brovia/QEVSelfDrawWndBase.h"

#include "pixorama/brovia/BrowserMessages.h"
#include "pixorama/brovia/ControlId.h"
#include "pixorama/platform/Messages.h"
#include "pixorama/platform/Translation.h"

#include <QLineEdit>

QEVSelfDrawWndBase::QEVSelfDrawWndBase()
{
    setFocusPolicy(Qt::StrongFocus);
}

QEVSelfDrawWndBase::~QEVSelfDrawWndBase() = default;

bool QEVSelfDrawWndBase::CreateWin(const plat::Rect& rect, plat::Wnd* ownerWindow, int id)
{
    owner = ownerWindow;
    setParent(ownerWindow);
    SetCtrlId(this, id);
    setGeometry(rect.left, rect.top, rect.width(), rect.height());
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSize(12);
    setFont(font);
    if (edit == nullptr) {
        edit = new QLineEdit(QStringLiteral("0.25"), this);
        SetCtrlId(edit, id + 1);
    }
    ApplyDisplayMode();
    show();
    return true;
}

void QEVSelfDrawWndBase::SetLabel(const CString& text)
{
    label = text;
    invalidate();
}

void QEVSelfDrawWndBase::SetDisplayMode(int mode)
{
    displayMode = mode;
    ApplyDisplayMode();
    invalidate();
}

void QEVSelfDrawWndBase::ApplyDisplayMode()
{
    if (edit == nullptr)
        return;
    edit->setGeometry(0, 0, labelWidth, height());
    edit->setVisible(displayMode == ModeEdit);
}

void QEVSelfDrawWndBase::Draw(plat::Dc& dc)
{
    if (offscreen.width() != width() || offscreen.height() != height())
        offscreen.resize(width(), height());
    Render(offscreenDc);
    dc.bitBlt(0, 0, width(), height(), offscreen, 0, 0);
}

void QEVSelfDrawWndBase::onPaint(plat::Dc& dc)
{
    Draw(dc);
}

void QEVSelfDrawWndBase::DrawLabelText(plat::Dc& off)
{
    if (displayMode != ModeLabel)
        return;
    const CString text = plat::tr(label);
    // A label wider than its area is drawn smaller rather than cut.
    plat::Font font{L"微软雅黑", 16};
    for (plat::Rect needed{0, 0, 0, 0}; font.height > 9; --font.height) {
        off.selectFont(font);
        off.drawText(text, needed, plat::DT_CALCRECT | plat::DT_SINGLELINE);
        if (needed.width() <= labelWidth - 4)
            break;
        needed = {0, 0, 0, 0};
    }
    plat::Rect r{0, 0, labelWidth, height()};
    off.setTextColor(plat::rgb(0, 0, 0));
    off.setBkMode(plat::TRANSPARENT);
    off.drawText(text, r, plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE);
}

bool QEVSelfDrawWndBase::PressInTrack(plat::Point p)
{
    if (!TrackRect().contains(p)) {
        clearFocus();
        return false;
    }
    setFocus();
    last = p;
    return true;
}

float QEVSelfDrawWndBase::TrackDelta(plat::Point p)
{
    const int track = TrackWidth();
    const float d = track > 0 ? float(p.x - last.x) / float(track) : 0.0f;
    last = p;
    return d;
}

void QEVSelfDrawWndBase::SendMSG()
{
    if (owner.isNull())
        return;
    FillReport(report);
    report.SetInt(0, 1);
    report.SetInt(9, displayMode);
    report.SetInt(10, ownerId);
    // The owner, its parent, the parent's parent (the window that hosts a
    // layout) and the root window.
    for (plat::Wnd* target : NotifyChain(owner, 2))
        plat::sendMessage(target, WM_LAYOUT_PARACHANGED, reinterpret_cast<std::uintptr_t>(&report), 0);
}
