#pragma once

#include "pixorama/canvo/InteractiveTextRect.h"

// The label of a measurement overlay: a press on it drags the label alone,
// anywhere else the shape.
namespace measurelabel {

inline bool Hit(bool shown, const InteractiveTextRect& label, plat::Point pt)
{
    return shown && label.displayRect.contains(pt);
}

// The shape moves unless the press was on the label; either way the next
// step starts at pt.
template <typename MoveShape>
void MoveShapeUnlessOnLabel(bool hitOnLabel, plat::Point pt, plat::Point& lastPoint, MoveShape moveShape)
{
    if (hitOnLabel)
        lastPoint = pt;
    else
        moveShape();
}

// The label follows the overlay's view.
inline void FollowView(InteractiveTextRect& label, ViewState* view)
{
    if (label.view != view)
        label.AttachView(view);
    else
        label.OnViewChanged();
}

} // namespace measurelabel
