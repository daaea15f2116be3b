#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/platform/GdiObjects.h"
#include "pixorama/platform/DragBar.h"

// The title bar of one section of the browser layout. Dragging it with the
// left button moves an outline up and down inside the owner; on release the
// bar moves and tells the owner the vertical displacement (0x0464 with the
// bar's id), but only when it moved. A double click or a middle-button
// press asks the owner to maximise the bar's section (0x0465 with the
// bar's index).
class QEVSegBar : public plat::DragBar {
public:
    QEVSegBar(plat::Wnd* owner, int id);

    void SetSBIndex(int i) { index = i; }
    int GetSBIndex() const { return index; }
    void SetPropName(const CString& name);
    const CString& GetPropName() const { return title; }

    // Takes the place of an existing control of the owner: its geometry
    // and id; the control is hidden. False for a control of another window.
    bool BindWithControl(QWidget* control);

    bool IsDragging() const { return isDragging(); }
    // The outline's top in the owner's coordinates while dragging.
    int OutlineTop() const { return outlineTop; }

protected:
    void onPaint(plat::Dc& dc) override;
    void onLButtonDblClk(unsigned flags, plat::Point p) override;
    void onMButtonDown(unsigned flags, plat::Point p) override;

    void startDrag(plat::Point p) override;
    void followDrag(plat::Point p) override;
    void finishDrag() override;
    QWidget* makeOutline() override;

private:
    int index = 0;
    CString title;
    plat::Font font{L"微软雅黑", 12};

    int grabTop = 0;    // the bar's top when grabbed
    int grabY = 0;      // the pointer in the bar when grabbed
    int outlineTop = 0;
};
