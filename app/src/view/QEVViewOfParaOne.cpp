#include "pixorama/workbench/QEVViewOfParaOne.h"

#include "pixorama/common/tagQEVParaReport.h"
#include "pixorama/workbench/OpenPicture.h"
#include "pixorama/workbench/RawWindow.h"

namespace {

constexpr plat::ColorRef panelColour = plat::rgb(240, 240, 240);

} // namespace

QEVViewOfParaOne::QEVViewOfParaOne(QWidget* parent) : plat::Wnd(parent)
{
    setBackgroundPixel(plat::pixelOf(panelColour));
    setFocusPolicy(Qt::NoFocus);
}

void QEVViewOfParaOne::onPaint(plat::Dc& dc)
{
    dc.fillRect(clientRect(), panelColour);
}

std::intptr_t QEVViewOfParaOne::onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (msg == openFileMessage) {
        const auto* path = reinterpret_cast<const wchar_t*>(lParam);
        if (path != nullptr)
            OpenPicture(path);
        return 1;
    }
    if (msg == tagQEVParaReport::message) {
        if (const auto* report = reinterpret_cast<const tagQEVParaReport*>(wParam))
            DispatchParaReport(*report);
        return 0;
    }
    return plat::Wnd::onMessage(msg, wParam, lParam);
}
