#pragma once

#include "pixorama/platform/Wnd.h"

#include <QPointer>

class EleSegBar;
class EleViewContainer;
class ViewGrid;

// The outer window of the layout: the parameter area on the left, a
// vertical bar, and the four-view area filling the rest. Input
// notifications of the views go to the window given as notifyTarget.
class EleContainer : public plat::Wnd {
public:
    static constexpr int barThickness = 5;
    static constexpr int barId = 21022;
    static constexpr int paraViewId = 21044;

    EleContainer(plat::Wnd* parent, plat::Wnd* notifyTarget, ViewGrid& grid);

    // Makes view a visible child shown in the parameter area.
    void setParaView(QWidget* view);
    QWidget* paraView() const { return para.data(); }
    EleViewContainer* viewArea() const { return viewContainer; }
    EleSegBar* bar() const { return split; }

    void layOut();
    const plat::Rect& paraRect() const { return paraArea; }
    const plat::Rect& viewRect() const { return viewAreaRect; }
    const plat::Rect& topStripRect() const { return topStrip; }

    std::intptr_t onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;

protected:
    void onPaint(plat::Dc& dc) override;
    void onSize(int width, int height) override;

private:
    EleSegBar* split = nullptr;
    EleViewContainer* viewContainer = nullptr;
    QPointer<QWidget> para;
    int topStripHeight = 0;
    int bottomMargin = 0;
    plat::Rect paraArea;
    plat::Rect viewAreaRect;
    plat::Rect topStrip;
};
