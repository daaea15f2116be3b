#pragma once

#include "pixorama/canvo/InteractiveMPoint.h"

// A polygonal region (kind 3): one vertex per Shift-click, handles move a
// vertex, a press inside moves it. Drawn as its handles and the closed
// outline through the vertices.
class InteractivePolygon : public InteractiveMPoint {
public:
    InteractivePolygon();

    bool Draw(plat::Dc* dc) override;
};
