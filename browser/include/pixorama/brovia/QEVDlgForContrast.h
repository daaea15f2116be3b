#pragma once

#include "pixorama/brovia/QEVSelfDrawWndBase.h"

#include <vector>

// A two-handle ramp: the low and high handles set the low and high points
// of an intensity mapping, the band between them shades from the low
// colour to the high colour. Dragging a handle moves it (never past the
// other), dragging the band moves both, the wheel shifts both by 0.01, a
// double click on a handle chooses its colour. An optional histogram is
// drawn faintly across the track.
class QEVDlgForContrast : public QEVSelfDrawWndBase {
public:
    static constexpr float wheelStep = 0.01f;
    // Sums of float steps that land this close to 0 or 1 count as there.
    static constexpr float wheelEdge = 1e-4f;

    QEVDlgForContrast();

    float GetLow() const { return lo; }
    float GetHigh() const { return hi; }
    // Handle positions as fractions of the track; 0 <= low < high <= 1.
    void SetHandles(float low, float high);
    plat::ColorRef GetLowColor() const { return lowColor; }
    plat::ColorRef GetHighColor() const { return highColor; }
    void SetColors(plat::ColorRef low, plat::ColorRef high);
    // The low and high points as reported: lo / (1 - sep) and
    // (hi - sep) / (1 - sep), sep = handle width / track width.
    void OutHandlePara(float& low, float& high) const;
    // The inverse: places the handles so that OutHandlePara gives low and
    // high (clamped to 0 <= low <= high <= 1). Reports nothing, so an owner
    // can follow a window changed elsewhere.
    void SetHandlePara(float low, float high);
    // Bins drawn faintly across the track, spread over its width and
    // scaled to the largest; an empty vector draws nothing.
    void SetHistogram(const std::vector<double>& bins);

    plat::Rect LowHandleRect() const;
    plat::Rect HighHandleRect() const;

protected:
    void Render(plat::Dc& off) override;
    void FillReport(tagQEVParaReport& r) override;
    void onLButtonDown(unsigned flags, plat::Point p) override;
    void onMouseMove(unsigned flags, plat::Point p) override;
    void onLButtonUp(unsigned flags, plat::Point p) override;
    void onMouseLeave() override;
    void onMouseWheel(unsigned flags, int delta, plat::Point p) override;
    void onLButtonDblClk(unsigned flags, plat::Point p) override;

private:
    float Separation() const;
    void DrawBand(plat::Dc& off);
    void DrawHistogram(plat::DibBitmap& surface) const;
    void EndDrag();

    float lo = 0.2f;
    float hi = 0.7f;
    plat::ColorRef lowColor = plat::rgb(0, 0, 0);
    plat::ColorRef highColor = plat::rgb(255, 255, 255);
    bool dragLow = false;
    bool dragHigh = false;
    bool dragBand = false;
    std::vector<double> histogram;
};
