#pragma once

// The progress bar and the contrast slider of a canvas, drawn inside the
// client area. Both are hidden and of size 0 until shown and placed.
// Positions are offsets of the control's bottom-left corner from the
// client's bottom-left corner. An id outside 0..4 is ignored.

void gCVSShowProgress(int id, bool show);
void gCVSSetProgressRectPos(int id, int x, int y, int w, int h);
// max <= min shows an empty bar.
void gCVSSetRange(int id, int min, int max);
void gCVSSetPos(int id, int pos);

// Releasing a handle applies the slider's window to the shown float image.
void gCVSShowContrastCtrl(int id, bool show);
void gCVSSetContrastCtrlRectPos(int id, int x, int y, int w, int h);
