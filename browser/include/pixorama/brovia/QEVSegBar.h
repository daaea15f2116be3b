#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/platform/GdiObjects.h"
#include "pixorama/platform/Wnd.h"

#include <QPointer>

class QRubberBand;

// The title bar of one section of the browser layout. Dragging it with the
// left button moves an outline up and down inside the owner; on release the
// bar moves and tells the owner the vertical displacement (0x0464 with the
// bar's id), but only when it moved. A double click or a middle-button
// press asks the owner to maximise the bar's section (0x0465 with the
// bar's index).
class QEVSegBar : public plat::Wnd {
public:
    QEVSegBar(plat::Wnd* owner, int id);
    ~QEVSegBar() override;

    void SetSBIndex(int i) { index = i; }
    int GetSBIndex() const { return index; }
    void SetPropName(const CString& name);
    const CString& GetPropName() const { return title; }

    // Takes the place of an existing control of the owner: its geometry
    // and id; the control is hidden. False for a control of another window.
    bool BindWithControl(QWidget* control);

    bool IsDragging() const { return dragging; }
    // The outline's top in the owner's coordinates while dragging.
    int OutlineTop() const { return outlineTop; }

protected:
    void onPaint(plat::Dc& dc) override;
    void onLButtonDown(unsigned flags, plat::Point p) override;
    void onMouseMove(unsigned flags, plat::Point p) override;
    void onLButtonUp(unsigned flags, plat::Point p) override;
    void onRButtonDown(unsigned flags, plat::Point p) override;
    void onKeyDown(int virtualKey, int repeatCount, unsigned flags) override;
    void onLButtonDblClk(unsigned flags, plat::Point p) override;
    void onMButtonDown(unsigned flags, plat::Point p) override;

private:
    void EndDrag();

    plat::Wnd* owner;
    int index = 0;
    CString title;
    plat::Font font{L"微软雅黑", 12};

    bool dragging = false;
    int grabTop = 0;    // the bar's top when grabbed
    int grabY = 0;      // the pointer in the bar when grabbed
    int outlineTop = 0;
    QPointer<QRubberBand> outline;
};
