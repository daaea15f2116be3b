#pragma once

#include "pixorama/platform/Wnd.h"

// The parameter view on the left of the layout. It will host the browser
// layout; until then it is an empty panel.
class QEVViewOfParaOne : public plat::Wnd {
public:
    explicit QEVViewOfParaOne(QWidget* parent = nullptr);

protected:
    void onPaint(plat::Dc& dc) override;
};
