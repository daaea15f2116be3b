#pragma once

#include "pixorama/canvo/Canvo.h"

// A control drawn inside the image area, anchored to the client's
// bottom-left corner: x and y are offsets from that corner, w and h its
// size. displayRect holds its client rectangle.
class InteractiveFixedRect : public Canvo {
public:
    void SetRectPos(float x, float y, float w, float h) override;
    // Stores the view and lays the control out.
    void AttachView(ViewState* newView) override;
    // Recomputes displayRect from the offsets and the client rectangle.
    virtual void Relayout();
    // Tab shows or hides the control; X puts it back at (20, 20, 400, 30).
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    // The grey background.
    bool Draw(plat::Dc* dc) override;

    int offsetX = 0;
    int offsetY = 0;
    int width = 0;
    int height = 0;
};
