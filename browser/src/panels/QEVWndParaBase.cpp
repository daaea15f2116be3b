#include "pixorama/brovia/QEVWndParaBase.h"

#include "pixorama/brovia/BrowserMessages.h"
#include "pixorama/brovia/ControlId.h"
#include "pixorama/brovia/QEVSelfDrawWndBase.h"
#include "pixorama/platform/Translation.h"

#include <QScrollBar>

#include <algorithm>

namespace {

constexpr plat::ColorRef panelGrey = plat::rgb(210, 210, 210);

} // namespace

QEVWndParaBase::QEVWndParaBase()
{
    setFocusPolicy(Qt::NoFocus);
    setBackgroundPixel(plat::pixelOf(panelGrey));
    scrollBar = new QScrollBar(Qt::Vertical, this);
    scrollBar->hide();
    connect(scrollBar, &QScrollBar::valueChanged, this, [this](int value) { SetScrollPos(value); });
}

QEVWndParaBase::~QEVWndParaBase() = default;

void QEVWndParaBase::AddGroup(const CString& title, const std::vector<std::pair<CString, int>>& strips, bool open)
{
    QEVParaGroup g;
    g.title = title;
    g.open = open;
    g.n = int(strips.size());
    g.contentHeight = g.n * stripHeight + (g.n + 1) * gap;
    for (const auto& [label, id] : strips) {
        g.labels.push_back(label);
        g.ids.push_back(id);
    }
    groups.push_back(std::move(g));
}

bool QEVWndParaBase::Create(const plat::Rect& rect, plat::Wnd* parent, int id)
{
    baseId = id;
    SetCtrlId(this, id);
    setParent(parent);
    setGeometry(rect.left, rect.top, rect.width(), rect.height());
    groups.clear();
    SetupGroups();
    CreateStrips();
    LayOut();
    show();
    return true;
}

void QEVWndParaBase::CreateStrips()
{
    int next = baseId + 1;
    for (QEVParaGroup& g : groups)
        for (int i = 0; i < g.n; ++i) {
            QEVSelfDrawWndBase* strip = NewStrip();
            strip->SetLabel(g.labels[std::size_t(i)]);
            strip->SetOwnerId(g.ids[std::size_t(i)]);
            strip->SetDisplayMode(QEVSelfDrawWndBase::ModeLabel);
            strip->CreateWin({0, 0, 0, stripHeight}, this, next++);
            g.strips.push_back(strip);
        }
}

QEVSelfDrawWndBase* QEVWndParaBase::StripByReportId(int id) const
{
    for (const QEVParaGroup& g : groups)
        for (QEVSelfDrawWndBase* strip : g.strips)
            if (strip->GetOwnerId() == id)
                return strip;
    return nullptr;
}

void QEVWndParaBase::OpenGroup(int open)
{
    for (int i = 0; i < int(groups.size()); ++i)
        groups[std::size_t(i)].open = i == open;
    LayOut();
    invalidate();
}

void QEVWndParaBase::LayOut()
{
    extent = 0;
    for (const QEVParaGroup& g : groups)
        extent += g.titleHeight + (g.open ? g.contentHeight : 0);
    UpdateScrollBar();
    const int right = width() - (scrollBar->isVisible() ? scrollBar->width() : 0);
    int y = -scroll;
    for (QEVParaGroup& g : groups) {
        g.titleRect = {0, y, right, y + g.titleHeight};
        y += g.titleHeight;
        g.contentRect = {0, y, right, y + (g.open ? g.contentHeight : 0)};
        for (int i = 0; i < g.n; ++i) {
            QEVSelfDrawWndBase* strip = g.strips[std::size_t(i)];
            const int top = y + gap + i * (stripHeight + gap);
            strip->setGeometry(gap, top, std::max(0, right - 2 * gap), stripHeight);
            strip->setVisible(g.open);
        }
        if (g.open)
            y += g.contentHeight;
    }
}

void QEVWndParaBase::UpdateScrollBar()
{
    const int overflow = std::max(0, extent - height());
    scroll = std::clamp(scroll, 0, overflow);
    const QSignalBlocker quiet(scrollBar);
    scrollBar->setRange(0, overflow);
    scrollBar->setPageStep(std::max(1, height()));
    scrollBar->setSingleStep(stripHeight);
    scrollBar->setValue(scroll);
    scrollBar->setGeometry(width() - scrollBar->sizeHint().width(), 0, scrollBar->sizeHint().width(), height());
    scrollBar->setVisible(overflow > 0);
}

void QEVWndParaBase::SetScrollPos(int pos)
{
    scroll = std::clamp(pos, 0, std::max(0, extent - height()));
    LayOut();
    invalidate();
}

void QEVWndParaBase::onPaint(plat::Dc& dc)
{
    dc.fillRect(clientRect(), panelGrey);
    dc.selectFont(font);
    dc.setTextColor(plat::rgb(0, 0, 0));
    dc.setBkMode(plat::TRANSPARENT);
    for (const QEVParaGroup& g : groups) {
        dc.fillRect(g.titleRect, g.titleColor);
        if (g.open)
            dc.fillRect(g.contentRect, g.contentColor);
        plat::Rect text = g.titleRect;
        text.left += gap;
        dc.drawText(plat::tr(g.title), text, plat::DT_LEFT | plat::DT_VCENTER | plat::DT_SINGLELINE);
    }
}

void QEVWndParaBase::onSize(int, int)
{
    LayOut();
}

void QEVWndParaBase::onLButtonDown(unsigned, plat::Point p)
{
    int hit = -1;
    for (int i = 0; i < int(groups.size()); ++i)
        if (groups[std::size_t(i)].titleRect.contains(p))
            hit = i;
    OpenGroup(hit);
}

void QEVWndParaBase::onMouseWheel(unsigned, int delta, plat::Point)
{
    SetScrollPos(scroll - delta / 120 * stripHeight);
}

std::intptr_t QEVWndParaBase::onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    // The strips' reports travel on to the parent and the root window.
    if (msg == WM_LAYOUT_PARACHANGED)
        return 0;
    return plat::Wnd::onMessage(msg, wParam, lParam);
}
