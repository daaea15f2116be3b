#include "pixorama/parlet/TitleCtrl.h"

#include "pixorama/parlet/ParletMessages.h"
#include "pixorama/platform/Messages.h"
#include "pixorama/platform/Translation.h"

#include <QKeyEvent>

#include <algorithm>

namespace {

const plat::ColorRef kStrip = plat::rgb(150, 150, 150);
const plat::ColorRef kCurrent = plat::rgb(180, 180, 180);
const plat::ColorRef kShadow = plat::rgb(120, 120, 120);
const plat::ColorRef kLight = plat::rgb(180, 180, 180);

// "\r\n" is the line break of the titles; the painter breaks on '\n'.
CString lines(const CString& title)
{
    CString out;
    for (const wchar_t c : title) {
        if (c != L'\r')
            out += c;
    }
    return out;
}

} // namespace

TitleCtrl::TitleCtrl()
{
    setFocusPolicy(Qt::NoFocus);
    setBackgroundPixel(plat::pixelOf(kStrip));
}

TitleCtrl::~TitleCtrl() = default;

bool TitleCtrl::Create(const plat::Rect& rect, QWidget* parent, int id)
{
    setParent(parent);
    setProperty("ctrlId", id);
    setGeometry(rect.left, rect.top, rect.width(), rect.height());
    show();
    return true;
}

void TitleCtrl::SetTitles(const std::vector<CString>& titles)
{
    m_Titles = titles;
    invalidate();
}

void TitleCtrl::SetPageCount(int count)
{
    m_PageCount = std::max(1, count);
    m_Current = std::clamp(m_Current, 0, m_PageCount - 1);
}

plat::Rect TitleCtrl::GetTitleRect(int index) const
{
    return {0, index * m_CellHeight, width(), (index + 1) * m_CellHeight};
}

void TitleCtrl::Previous()
{
    Select(m_Current - 1);
}

void TitleCtrl::Next()
{
    Select(m_Current + 1);
}

void TitleCtrl::Select(int index)
{
    m_Current = std::clamp(index, 0, m_PageCount - 1);
    if (auto* host = dynamic_cast<plat::Wnd*>(parentWidget()))
        plat::sendMessage(host, MSG_SHOW_PAGE, std::uintptr_t(m_Current));
    invalidate();
}

void TitleCtrl::onLButtonDown(unsigned, plat::Point p)
{
    for (int i = 0; i < m_PageCount; ++i) {
        if (GetTitleRect(i).contains(p)) {
            Select(i);
            return;
        }
    }
}

void TitleCtrl::onPaint(plat::Dc& dc)
{
    dc.fillRect(clientRect(), kStrip);
    plat::Font font;
    font.face = L"微软雅黑";
    font.height = 16;
    dc.selectFont(font);
    dc.setBkMode(plat::TRANSPARENT);
    dc.setTextColor(plat::rgb(0, 0, 0));
    for (int i = 0; i < m_PageCount; ++i) {
        const plat::Rect cell = GetTitleRect(i);
        const plat::Rect inner{cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1};
        dc.fillRect(inner, i == m_Current ? kCurrent : kStrip);
        // Sunken frame: dark along the top and left, light along the bottom and right.
        dc.fillRect({cell.left, cell.top, cell.right, cell.top + 1}, kShadow);
        dc.fillRect({cell.left, cell.top, cell.left + 1, cell.bottom}, kShadow);
        dc.fillRect({cell.left, cell.bottom - 1, cell.right, cell.bottom}, kLight);
        dc.fillRect({cell.right - 1, cell.top, cell.right, cell.bottom}, kLight);
        if (std::size_t(i) >= m_Titles.size())
            continue;
        const CString text = plat::tr(lines(m_Titles[std::size_t(i)]));
        plat::Rect measured = inner;
        dc.drawText(text, measured, plat::DT_CENTER | plat::DT_CALCRECT);
        // Multi-line text has no vertical centring of its own.
        const int top = inner.top + std::max(0, (inner.height() - measured.height()) / 2);
        plat::Rect box{inner.left, top, inner.right, inner.bottom};
        dc.drawText(text, box, plat::DT_CENTER);
    }
}

void TitleCtrl::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
}
