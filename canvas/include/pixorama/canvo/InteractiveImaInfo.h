#pragma once

#include "pixorama/canvo/InteractiveTextML.h"

// The information window: the image position under the cursor and the
// value there, refreshed on every mouse move whether selected or not.
class InteractiveImaInfo : public InteractiveTextML {
public:
    void OnMouseMove(unsigned flags, plat::Point pt) override;

    plat::Point mousePoint;
};
