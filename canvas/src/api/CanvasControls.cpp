#include "pixorama/canvo/CanvasControls.h"

#include "pixorama/canvo/CanvasTable.h"

void gCVSShowProgress(int id, bool show)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->progressShown = show;
}

void gCVSSetProgressRectPos(int id, int x, int y, int w, int h)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->progress.SetRectPos(float(x), float(y), float(w), float(h));
}

void gCVSSetRange(int id, int min, int max)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->progress.SetRange(min, max);
}

void gCVSSetPos(int id, int pos)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->progress.SetPos(pos);
}

void gCVSShowContrastCtrl(int id, bool show)
{
    if (InteractiveImage* canvas = CanvasTable::At(id)) {
        canvas->contrastShown = show;
        canvas->slider.AttachView(&canvas->view);
    }
}

void gCVSSetContrastCtrlRectPos(int id, int x, int y, int w, int h)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->slider.SetRectPos(float(x), float(y), float(w), float(h));
}
