#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/common/tagQEVParaReport.h"
#include "pixorama/platform/Dc.h"
#include "pixorama/platform/DibSurface.h"
#include "pixorama/platform/Wnd.h"

#include <QPointer>

class QLineEdit;

// A strip control that paints itself: a label area of 80 pixels on the
// left and a track over the rest, on which handles of the handle width
// sit. A handle at fraction f of the track covers the columns from
// trunc(f x T + 80), where T = client width - 80 - handle width.
// Every change is reported to the owner, its parent, the parent's parent
// and the root window with 0x089A and the address of the strip's own
// report record, each window once.
class QEVSelfDrawWndBase : public plat::Wnd {
public:
    static constexpr int labelWidth = 80;
    enum DisplayMode { ModeEdit = 1, ModeLabel = 2, ModeCombo = 3 };

    QEVSelfDrawWndBase();
    ~QEVSelfDrawWndBase() override;

    // Becomes a visible child of owner at rect with that id; the edit box
    // gets id + 1.
    virtual bool CreateWin(const plat::Rect& rect, plat::Wnd* owner, int id);

    void SetHandleWidth(int w) { handleWidth = w; }
    int GetHandleWidth() const { return handleWidth; }
    void SetLabel(const CString& text);
    const CString& GetLabel() const { return label; }
    // The value written into word 10 of the report.
    void SetOwnerId(int id) { ownerId = id; }
    int GetOwnerId() const { return ownerId; }
    void SetDisplayMode(int mode);
    int GetDisplayMode() const { return displayMode; }
    QLineEdit* Edit() const { return edit; }

    int TrackWidth() const { return width() - labelWidth - handleWidth; }
    plat::Rect TrackRect() const { return {labelWidth, 0, width(), height()}; }
    int HandleLeft(float f) const { return int(f * float(TrackWidth()) + float(labelWidth)); }

    // Paints the whole control off screen and copies it to dc in one go.
    void Draw(plat::Dc& dc);

    // Fills the report and sends it, when the owner still exists.
    void SendMSG();
    const tagQEVParaReport& Report() const { return report; }

protected:
    void onPaint(plat::Dc& dc) override;
    // Paints every pixel of the control into off.
    virtual void Render(plat::Dc& off) = 0;
    virtual void FillReport(tagQEVParaReport& r) = 0;
    // Shows the child controls of the display mode.
    virtual void ApplyDisplayMode();
    void DrawLabelText(plat::Dc& off);
    plat::Wnd* Owner() const { return owner.data(); }
    // A left press: inside the track it takes the focus, records the point
    // as the last mouse point and returns true; outside it gives the focus
    // up (the focus-loss message) and returns false.
    bool PressInTrack(plat::Point p);
    // Horizontal pointer movement since the last mouse point, as a fraction
    // of the track; p becomes the last point.
    float TrackDelta(plat::Point p);

private:
    int handleWidth = 10;
    CString label;
    int ownerId = 0;
    int displayMode = ModeLabel;
    QPointer<plat::Wnd> owner;
    QLineEdit* edit = nullptr;
    plat::Point last;
    tagQEVParaReport report;
    plat::DibSurface offscreen;
    plat::Dc offscreenDc{offscreen};
};
