#pragma once

#include "pixorama/canvo/InteractiveMPoint.h"

// Base of the overlays defined by two corner points. Keeps the centre of the
// two display points with its marker square, and the box of the two points
// in client and in image coordinates (inclusive; image values truncated).
class InteractiveSingleLine : public InteractiveMPoint {
public:
    void OnViewChanged() override;

    plat::Point centre;
    plat::Rect centreMarker;

protected:
    InteractiveSingleLine() = default;
};
