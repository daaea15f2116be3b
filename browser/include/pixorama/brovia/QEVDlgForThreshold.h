#pragma once

#include "pixorama/brovia/QEVSelfDrawWndBase.h"

class QComboBox;
class QLabel;

// A one-handle slider: the track left of the handle black, right of it
// white. Dragging the handle or turning the wheel (0.01 a notch, never onto
// 0 or 1) sets the position p in [0, 1]. In display mode 3 a combo box of
// blur kinds sits in the label area.
class QEVDlgForThreshold : public QEVSelfDrawWndBase {
public:
    static constexpr float wheelStep = 0.01f;
    // Sums of float steps that land this close to 0 or 1 count as there.
    static constexpr float wheelEdge = 1e-4f;

    QEVDlgForThreshold();

    // Sets the label and builds the child controls before creation.
    void PreCreateWin();
    bool CreateWin(const plat::Rect& rect, plat::Wnd* owner, int id) override;

    float GetPos() const { return p; }
    void SetPos(float position);
    plat::Rect HandleRect() const;
    QComboBox* Combo() const { return combo; }
    QLabel* Label() const { return labelCtrl; }

protected:
    void Render(plat::Dc& off) override;
    void FillReport(tagQEVParaReport& r) override;
    void ApplyDisplayMode() override;
    void onLButtonDown(unsigned flags, plat::Point pt) override;
    void onMouseMove(unsigned flags, plat::Point pt) override;
    void onLButtonUp(unsigned flags, plat::Point pt) override;
    void onMouseLeave() override;
    void onMouseWheel(unsigned flags, int delta, plat::Point pt) override;

private:
    float p = 0.5f;
    bool dragging = false;
    QLabel* labelCtrl = nullptr;
    QComboBox* combo = nullptr;
};
