#include "pixorama/brovia/QEVDBLayOut.h"

#include "pixorama/brovia/BrowserMessages.h"
#include "pixorama/brovia/BrowserString.h"
#include "pixorama/brovia/ControlId.h"
#include "pixorama/brovia/QEVFileEngItem.h"
#include "pixorama/brovia/QEVFileSetItem.h"
#include "pixorama/brovia/QEVInfoTree.h"
#include "pixorama/brovia/QEVSegBar.h"
#include "pixorama/brovia/QEVWndParaColorIma.h"
#include "pixorama/brovia/QEVWndParaRawIma.h"
#include "pixorama/brovia/QEVWndParaVRPara.h"
#include "pixorama/platform/Modal.h"

#include "WindowRect.h"

#include <algorithm>

QEVDBLayOut::QEVDBLayOut()
{
    setFocusPolicy(Qt::NoFocus);
    setBackgroundPixel(plat::pixelOf(210, 210, 210));
}

QEVDBLayOut::~QEVDBLayOut() = default;

void QEVDBLayOut::SetSubWndInfo(const std::vector<CString>& sectionTitles)
{
    titles = sectionTitles;
    if (int(titles.size()) > maxSections) {
        // Ending the process would lose the user's work: keep what fits.
        plat::messageBox(L"过多的子项");
        titles.resize(maxSections);
    }
    positions.SetCount(SectionCount());
}

void QEVDBLayOut::SetMaxID()
{
    maximised = true;
    maxIndex = 0;
}

bool QEVDBLayOut::Create(plat::Wnd* parent, unsigned id)
{
    // The windows exist once; a layout is not created twice.
    if (fileSet != nullptr)
        return false;
    owner = parent;
    firstBarId = int(id) + 1;
    SetCtrlId(this, int(id));
    setParent(parent);
    OnCreate();
    show();
    return true;
}

void QEVDBLayOut::OnCreate()
{
    for (int i = 0; i < SectionCount(); ++i) {
        bars[i] = new QEVSegBar(this, firstBarId + i);
        bars[i]->SetSBIndex(i);
        bars[i]->SetPropName(titles[i]);
    }
    fileSet = new QEVFileSetItem(this);
    fileEng = new QEVFileEngItem(this);
    paraRaw = new QEVWndParaRawIma;
    paraColor = new QEVWndParaColorIma;
    paraVR = new QEVWndParaVRPara;
    paraRaw->SetupGroups();
    paraColor->SetupGroups();
    paraVR->SetupGroups();
    paraRaw->Create({}, this, IDC_LAYOUT_PARARAW);
    paraColor->Create({}, this, IDC_LAYOUT_PARACOLOR);
    paraVR->Create({}, this, IDC_LAYOUT_PARAVR);
    infoTree = new QEVInfoTree(this);
    onSize(width(), height());
}

void QEVDBLayOut::SetClientRect(const plat::Rect& rect)
{
    client = rect;
    if (rect.height() > barHeight)
        positions.SetSpacing(float(barHeight) / float(rect.height() - barHeight));
    setGeometry(toQRect(rect));
}

std::vector<CString> QEVDBLayOut::GetFileEngOne() const
{
    return fileEng ? fileEng->List(1) : std::vector<CString>();
}

std::vector<CString> QEVDBLayOut::GetFileEngTwo() const
{
    return fileEng ? fileEng->List(2) : std::vector<CString>();
}

plat::Rect QEVDBLayOut::GetBarRect(int i) const
{
    if (i < 0 || i >= int(barTops.size()))
        return {};
    return {0, barTops[i], width(), barTops[i] + barHeight + 1};
}

plat::Rect QEVDBLayOut::GetSubClient(int i) const
{
    if (i < 0 || i >= int(sections.size()))
        return {};
    return sections[i];
}

void QEVDBLayOut::onSize(int, int h)
{
    if (h > barHeight)
        positions.SetSpacing(float(barHeight) / float(h - barHeight));
    if (maximised)
        positions.Maximise(maxIndex);
    RefreshSBPos();
    PlaceSubWindows();
}

void QEVDBLayOut::RefreshSBPos()
{
    positions.Snap();
    const int n = SectionCount();
    const int usable = height() - barHeight;
    barTops.assign(n, 0);
    sections.assign(n, {});
    for (int i = 0; i < n; ++i) {
        // trunc, blind to float noise: 0.95f x 400 is row 380.
        barTops[i] = int(float(usable) * positions.At(i) + 1e-3f);
        if (bars[i])
            bars[i]->setGeometry(toQRect(GetBarRect(i)));
    }
    for (int i = 0; i < n; ++i) {
        const int bottom = i + 1 < n ? barTops[i + 1] - 1 : height();
        sections[i] = {0, barTops[i] + barHeight + 1, width(), bottom};
    }
}

void QEVDBLayOut::PlaceSubWindows()
{
    QWidget* inSection[] = {fileSet, fileEng, paraRaw, layOutType == 1 ? paraColor : nullptr};
    QWidget* all[] = {fileSet, fileEng, paraRaw, paraColor, paraVR, infoTree};
    for (QWidget* w : all) {
        if (w == nullptr)
            continue;
        const auto* slot = std::find(std::begin(inSection), std::end(inSection), w);
        const int section = int(slot - std::begin(inSection));
        if (slot == std::end(inSection) || section >= SectionCount()) {
            w->hide();
            continue;
        }
        w->setGeometry(toQRect(sections[section]));
        w->show();
    }
}

void QEVDBLayOut::OnSegBarMoved(int displacement, int barId)
{
    maximised = false;
    const int usable = height() - barHeight;
    const int k = barId - firstBarId;
    if (usable > 0 && k >= 1 && k < SectionCount())
        positions.Move(k, float(displacement) / float(usable));
    // The size handler places the bars and the sub-windows again.
    onSize(width(), height());
}

void QEVDBLayOut::MoveSB(int i, int top)
{
    if (i >= 0 && i < int(barTops.size()))
        OnSegBarMoved(top - barTops[i], firstBarId + i);
}

void QEVDBLayOut::OnSegBarMaximized(int k)
{
    if (k < 0 || k >= SectionCount())
        return;
    positions.Maximise(k);
    maximised = true;
    maxIndex = k;
    onSize(width(), height());
    invalidate();
}

void QEVDBLayOut::OnFSAddFileToEng(int list, std::intptr_t path)
{
    OwnedBSTR text(path);
    SendStringMessage(fileEng, WM_LAYOUT_ADDTOLIST, std::uintptr_t(list), text.str());
}

void QEVDBLayOut::OnFSSelFile(std::intptr_t path)
{
    // The folder tree asks the application itself; what reaches the layout
    // (the file lists tell their owner too) is only freed.
    OwnedBSTR text(path);
}

std::intptr_t QEVDBLayOut::onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    switch (msg) {
    case WM_LAYOUT_BARMOVED: OnSegBarMoved(int(std::intptr_t(wParam)), int(lParam)); return 0;
    case WM_LAYOUT_BARMAXIMISE: OnSegBarMaximized(int(lParam)); return 0;
    case WM_LAYOUT_ADDTOLIST: OnFSAddFileToEng(int(wParam), lParam); return 0;
    case WM_LAYOUT_OPENFILE: OnFSSelFile(lParam); return 0;
    case WM_LAYOUT_OBJECTPICKED:
    case WM_LAYOUT_OBJECTDELETED: SysFreeString(reinterpret_cast<BSTR>(lParam)); return 0;
    case WM_LAYOUT_PARACHANGED: return 0;
    default: return plat::Wnd::onMessage(msg, wParam, lParam);
    }
}

void QEVDBLayOut::onPaint(plat::Dc&)
{
}
