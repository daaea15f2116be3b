#include "pixorama/canvo/CanvasInput.h"

#include "pixorama/canvo/CanvasTable.h"

void gCVSOnLButtonDown(int id, unsigned flags, plat::Point pt)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->OnLButtonDown(flags, pt);
}

void gCVSOnLButtonUp(int id, unsigned flags, plat::Point pt)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->OnLButtonUp(flags, pt);
}

void gCVSOnMouseMove(int id, unsigned flags, plat::Point pt)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->OnMouseMove(flags, pt);
}

void gCVSOnMouseWheel(int id, unsigned flags, short delta, plat::Point pt)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->OnMouseWheel(flags, delta, pt);
}

void gCVSOnKeyDown(int id, unsigned key, unsigned repeat, unsigned flags)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->OnKeyDown(key, repeat, flags);
}

void gCVSOnTimer(int id, std::uintptr_t timerId)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->OnTimer(timerId);
}

void gCVSDelSelElement(int id)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->UserDeleteSelected();
}

void gCVSDelAllElement(int id)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->UserDeleteAll();
}
