#pragma once

#include "pixorama/platform/Wnd.h"

// A plain painted panel with an area height; it answers the look-up-table
// change message 0x089A with 0.
class QEVOrdinaryItem : public plat::Wnd {
public:
    explicit QEVOrdinaryItem(QWidget* parent = nullptr);

    void SetAreaHeight(int h) { areaHeight = h; }
    int GetAreaHeight() const { return areaHeight; }

    std::intptr_t onMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;

protected:
    void onPaint(plat::Dc& dc) override;

private:
    int areaHeight = 0;
};
