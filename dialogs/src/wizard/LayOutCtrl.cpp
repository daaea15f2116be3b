#include "pixorama/parlet/LayOutCtrl.h"

#include "pixorama/parlet/ParletMessages.h"

#include <QKeyEvent>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr unsigned kPageBaseIds[LayOutCtrl::kPageCount] = {1127, 1327};

} // namespace

LayOutCtrl::LayOutCtrl()
{
    setFocusPolicy(Qt::NoFocus);
    setBackgroundPixel(plat::pixelOf(0xF0, 0xF0, 0xF0));
}

LayOutCtrl::~LayOutCtrl() = default;

bool LayOutCtrl::Create(const plat::Rect& rect, QWidget* parent, int id)
{
    m_Title.SetTitles({L"拼\r\n接", L"锥\r\n束\r\n重\r\n建"});
    m_Title.SetPageCount(kPageCount);
    setParent(parent);
    setProperty("ctrlId", id);
    setGeometry(rect.left, rect.top, rect.width(), rect.height());
    show();

    m_Title.Create({0, 0, kTitleWidth, rect.height()}, this, kTitleId);
    m_Pages[0].SetConfigInfo(L"ImaConcate", L"ImaConcate.ini");
    m_Pages[0].SetWndTypeOnly(QEV_IMAPAIR);
    m_Pages[1].SetConfigInfo(L"ImaRec", L"ImaRec.ini");
    m_Pages[1].SetWndTypeOnly(QEV_VOLUMEREC);
    m_Pages[kPageCount - 1].SetNextBtnText(L"完成");

    m_PageArea = {kTitleWidth, 0, std::max(kTitleWidth, rect.width()), rect.height()};
    m_UnionRect = {};
    for (int i = 0; i < kPageCount; ++i) {
        QEVDerivedImaParaWnd& page = m_Pages[i];
        page.SetOkCancel(false);
        page.SetPreNext(true);
        page.SetAdjustParentWinSize(false);
        page.SetXAdjustable(true);
        page.SetYAdjustable(false);
        page.SetCtrlUsedInDlg(false);
        // The dialog holds the strip beside the page.
        page.SetTitleWidth(kTitleWidth);
        page.CreateWin(m_PageArea, this, kPageBaseIds[i]);
        page.GetParentWinRect(m_PageSizes[i]);
        m_UnionRect.right = std::max(m_UnionRect.right, m_PageSizes[i].right);
        m_UnionRect.bottom = std::max(m_UnionRect.bottom, m_PageSizes[i].bottom);
        page.setVisible(m_Visible[i]);
    }
    MarkDefault(0);
    if (parent != nullptr)
        parent->resize(m_UnionRect.width() + 2 * m_Margins, m_UnionRect.height() + 2 * m_Margins);
    return true;
}

void LayOutCtrl::SetSize(const plat::Rect& hostClient)
{
    setGeometry(hostClient.left + m_Margins, hostClient.top + m_Margins,
                std::max(0, hostClient.width() - 2 * m_Margins), std::max(0, hostClient.height() - 2 * m_Margins));
}

void LayOutCtrl::onSize(int width, int height)
{
    m_Title.setGeometry(0, 0, std::min(kTitleWidth, width), height);
    m_PageArea = {kTitleWidth, 0, std::max(kTitleWidth, width), height};
    for (int i = 0; i < kPageCount; ++i) {
        if (m_Visible[i])
            m_Pages[i].setGeometry(m_PageArea.left, m_PageArea.top, m_PageArea.width(), m_PageArea.height());
    }
}

int LayOutCtrl::GetVisiblePage() const
{
    for (int i = 0; i < kPageCount; ++i) {
        if (m_Visible[i])
            return i;
    }
    return -1;
}

void LayOutCtrl::ShowPage(int index)
{
    if (index < 0 || index >= kPageCount)
        return;
    for (int i = 0; i < kPageCount; ++i) {
        m_Visible[i] = i == index;
        if (i == index) {
            m_Pages[i].setGeometry(m_PageArea.left, m_PageArea.top, m_PageArea.width(), m_PageArea.height());
            m_Pages[i].show();
            MarkDefault(i);
        } else {
            m_Pages[i].hide();
        }
    }
}

void LayOutCtrl::MarkDefault(int index)
{
    // Enter means the visible page's Next, never a hidden page's button
    // nor the first button Qt would pick on its own.
    if (QPushButton* next = m_Pages[index].GetButton(IDC_NEXT))
        next->setDefault(true);
}

void LayOutCtrl::Finish()
{
    QEVDerivedImaParaWnd& pair = m_Pages[0];
    QEVDerivedImaParaWnd& rec = m_Pages[1];
    pair.ReadRecord();
    rec.ReadRecord();
    pair.SaveInitPara();
    rec.SaveInitPara();
    m_PairPara = pair.m_ImaPairPara;
    m_VolumeRecPara = rec.m_VolumeRecPara;
    if (m_OnFinish)
        m_OnFinish();
}

std::intptr_t LayOutCtrl::onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (msg == MSG_SHOW_PAGE) {
        ShowPage(int(wParam));
        return 1;
    }
    if (msg == MSG_PRE_NEXT && lParam != 0) {
        const CString& button = *reinterpret_cast<const CString*>(lParam);
        if (button == L"上一步")
            m_Title.Previous();
        else if (button == L"下一步")
            m_Title.Next();
        else if (button == L"完成")
            Finish();
        return 1;
    }
    return plat::Wnd::onMessage(msg, wParam, lParam);
}

void LayOutCtrl::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
}
