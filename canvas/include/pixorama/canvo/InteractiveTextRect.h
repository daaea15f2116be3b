#pragma once

#include "pixorama/canvo/InteractiveMPoint.h"

// A text box anchored at an image point. Only the anchor follows zoom and
// pan: the box keeps its pixel size, one text line plus a 3-pixel border.
// A press inside moves it; it takes no points from Shift-clicks.
class InteractiveTextRect : public InteractiveMPoint {
public:
    InteractiveTextRect();

    void SetTextStyle(FontType font, int size, plat::ColorRef colour, int mode) override;
    // Stores the text, measures it in the font and places the box with its
    // top-left corner at the client point anchor.
    void SetTextAndPos(const CString& newText, plat::Point anchor) override;
    // Same, keeping the anchor.
    void SetText(const CString& newText) override;
    plat::Size GetTextSize() override;
    CString GetText() override;

    void OnViewChanged() override;
    bool HitTest(plat::Point pt) override;
    void OnLButtonDown(unsigned flags, plat::Point pt) override;
    void OnMouseMove(unsigned flags, plat::Point pt) override;
    bool Draw(plat::Dc* dc) override;

    // Pixel height and colour of the font type; the white box behind the
    // text and the outline.
    int FontHeight() const;
    plat::ColorRef TextColour() const;
    bool WhiteBox() const;

    FontType fontType = FontBoxedBlack;
    plat::ColorRef colour{};
    int size = 18;
    int mode = plat::TRANSPARENT;
    CString text;
    plat::Point anchor;
    int textWidth = 0;
    int textHeight = 0;
};
