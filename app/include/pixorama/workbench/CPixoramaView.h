#pragma once

#include "pixorama/platform/Wnd.h"

#include <QPointer>

#include <functional>
#include <string>

class QEVViewOfParaOne;
struct tagQEVViewInput;

// The frame's view: hands its whole client area to the view layout, with
// the working canvas 4 alone in the right-bottom view and the parameter
// view on the left, and reports the cursor over canvas 4 in the status bar.
// Dragging with the right button on canvas 4 sets the display window of a
// raw picture.
class CPixoramaView : public plat::Wnd {
public:
    // Receives the text "x=.. y=.." for the cursor pane of the status bar.
    using CursorText = std::function<void(const std::wstring& text)>;

    CPixoramaView(QWidget* parent, CursorText showCursor);

    QEVViewOfParaOne* paraView() const;

    std::intptr_t onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;

protected:
    void onSize(int width, int height) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followRightDrag(const tagQEVViewInput& input);

    CursorText showCursor;
    bool rightDragging = false;
    plat::Point rightDragLast;
    QPointer<QEVViewOfParaOne> para;
};
