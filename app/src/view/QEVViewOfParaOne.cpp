#include "pixorama/workbench/QEVViewOfParaOne.h"

#include "pixorama/brovia/BrowserString.h"
#include "pixorama/brovia/LayOutOne.h"
#include "pixorama/common/tagQEVParaReport.h"
#include "pixorama/workbench/OpenPicture.h"
#include "pixorama/workbench/ParaReport.h"
#include "pixorama/workbench/RawWindow.h"

namespace {

constexpr plat::ColorRef panelColour = plat::rgb(240, 240, 240);
constexpr unsigned layoutId = 2024;
constexpr int fourSections = 1;

} // namespace

QEVViewOfParaOne::QEVViewOfParaOne(QWidget* parent) : plat::Wnd(parent)
{
    setBackgroundPixel(plat::pixelOf(panelColour));
    setFocusPolicy(Qt::NoFocus);
    gLayOutOneSetLayOutType(fourSections);
    gLayOutOneCreateForConcatAndRec(this, layoutId);
}

void QEVViewOfParaOne::onSize(int, int)
{
    gLayOutOneSetClient(clientRect());
}

void QEVViewOfParaOne::onPaint(plat::Dc& dc)
{
    dc.fillRect(clientRect(), panelColour);
}

std::intptr_t QEVViewOfParaOne::onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (msg == openFileMessage) {
        const OwnedBSTR path(lParam);
        if (!path.str().empty())
            OpenPicture(path.str());
        return 1;
    }
    if (msg == tagQEVParaReport::message) {
        if (const auto* report = reinterpret_cast<const tagQEVParaReport*>(wParam))
            DispatchParaReport(*report);
        return 0;
    }
    return plat::Wnd::onMessage(msg, wParam, lParam);
}
