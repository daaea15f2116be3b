#include "pixorama/tilemo/EleViewContainer.h"

#include "pixorama/tilemo/EleSegBar.h"
#include "pixorama/tilemo/EleView.h"
#include "pixorama/tilemo/ViewInput.h"

#include <QFont>
#include <QTextEdit>

#include "WidgetRect.h"

#include <algorithm>

EleViewContainer::EleViewContainer(plat::Wnd* parent, plat::Wnd* notifyTarget, ViewGrid& grid)
    : plat::Wnd(parent), ratios(grid)
{
    setBackgroundPixel(plat::pixelOf(200, 200, 200));
    setFocusPolicy(Qt::NoFocus);
    bars[0] = new EleSegBar(this, false, ViewGrid::gridBarId);
    bars[1] = new EleSegBar(this, false, ViewGrid::rowBarId);
    bars[2] = new EleSegBar(this, true, ViewGrid::columnBarId);
    for (EleSegBar* b : bars)
        b->setLimits(0, 2000);
    // Created right-bottom first: the working view.
    views[3] = new EleView(this, notifyTarget, 4, rbViewId);
    views[1] = new EleView(this, notifyTarget, 1, rtViewId);
    views[0] = new EleView(this, notifyTarget, 0, ltViewId);
    views[2] = new EleView(this, notifyTarget, 2, lbViewId);

    info = new QTextEdit(this);
    info->setReadOnly(true);
    info->setLineWrapMode(QTextEdit::WidgetWidth);
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSize(12);
    info->setFont(font);
    layOut();
}

void EleViewContainer::layOut()
{
    placed = ratios.compute(width(), height());
    bars[0]->place(placed.gridBar);
    bars[1]->place(placed.rowBar);
    bars[2]->place(placed.columnBar);
    bars[0]->setPosition(placed.gridBar.top);
    bars[1]->setPosition(placed.rowBar.top);
    bars[2]->setPosition(placed.columnBar.left);
    for (std::size_t i = 0; i < views.size(); ++i)
        views[i]->setGeometry(widgetRect(placed.views[i]));
    info->setGeometry(widgetRect(placed.info));
    // The column bar crosses the row bar; keep it on top where they meet.
    bars[2]->raise();
    invalidate();
}

void EleViewContainer::setInfo(const std::wstring& text)
{
    info->setPlainText(QString::fromStdWString(text));
}

std::wstring EleViewContainer::infoText() const
{
    return info->toPlainText().toStdWString();
}

void EleViewContainer::refreshAll()
{
    for (EleView* v : views)
        v->invalidate();
}

std::intptr_t EleViewContainer::onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    switch (msg) {
    case WM_CTER_BARMOVED:
        ratios.barMoved(int(lParam), int(std::intptr_t(wParam)), width(), height());
        layOut();
        return 0;
    case WM_CTER_MAXIMISE:
        if (!ratios.respondsToMaximise())
            return 0;
        ratios.toggleMaximise(int(std::intptr_t(wParam)));
        layOut();
        return 0;
    default:
        return plat::Wnd::onMessage(msg, wParam, lParam);
    }
}

void EleViewContainer::onPaint(plat::Dc& dc)
{
    dc.fillRect(clientRect(), plat::rgb(200, 200, 200));
}

void EleViewContainer::onSize(int, int)
{
    layOut();
}
