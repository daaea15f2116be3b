#include "pixorama/workbench/CPixoramaView.h"

#include "pixorama/tilemo/EleContainer.h"
#include "pixorama/tilemo/EleView.h"
#include "pixorama/tilemo/EleViewContainer.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/tilemo/ViewInput.h"
#include "pixorama/workbench/CanvasResults.h"
#include "pixorama/workbench/QEVViewOfParaOne.h"
#include "pixorama/workbench/RawWindow.h"

#include <QMouseEvent>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int workingCanvas = 4;
constexpr int workingView = 3; // right bottom

} // namespace

CPixoramaView::CPixoramaView(QWidget* parent, CursorText showCursor)
    : plat::Wnd(parent), showCursor(std::move(showCursor))
{
    setFocusPolicy(Qt::NoFocus);
    gCTERSetLayOut(1.2f, -0.2f, -0.2f, true);
    gCTERCreate(L"#32770", L"Hello", 0x5000004E, {0, 0, 900, 600}, this, 2000);
    para = new QEVViewOfParaOne;
    gCTERSetParaView(para.data());
    gCTERSetRespondToMaxView(false);
    gCTERSetSegBarColor(180, 180, 180);
    // The drag starts where the right button went down.
    if (EleContainer* layout = gCTERGetContainer())
        layout->viewArea()->view(workingView)->installEventFilter(this);
}

bool CPixoramaView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            rightDragging = event->type() == QEvent::MouseButtonPress;
            rightDragLast = {int(mouse->position().x()), int(mouse->position().y())};
        }
    }
    return plat::Wnd::eventFilter(watched, event);
}

QEVViewOfParaOne* CPixoramaView::paraView() const
{
    return para.data();
}

void CPixoramaView::onSize(int, int)
{
    gCTEROnSize(clientRect());
}

std::intptr_t CPixoramaView::onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (msg != WM_CTER_VIEWINPUT)
        return plat::Wnd::onMessage(msg, wParam, lParam);
    const auto* input = reinterpret_cast<const tagQEVViewInput*>(wParam);
    if (input == nullptr || input->viewId != workingCanvas)
        return 0;
    // The canvas sees the release after this report: measure once it has.
    if (input->event == CTER_LBUTTONUP)
        QTimer::singleShot(0, this, [] { gReportTouchedOverlay(); });
    if (input->event != CTER_MOUSEMOVE)
        return 0;
    if (showCursor) {
        char text[48];
        std::snprintf(text, sizeof text, "x=%d y=%d", int(input->x), int(input->y));
        showCursor(QString::fromLatin1(text).toStdWString());
    }
    followRightDrag(*input);
    return 0;
}

void CPixoramaView::followRightDrag(const tagQEVViewInput& input)
{
    const plat::Point p{input.x, input.y};
    if (!rightDragging || (unsigned(input.flags) & plat::MK_RBUTTON) == 0)
        return;
    DragRawWindow(p.x - rightDragLast.x, p.y - rightDragLast.y);
    rightDragLast = p;
}
