#pragma once

#include "pixorama/platform/Types.h"

#include <cstdint>

// Input forwarded by the window that shows a canvas, and overlay deletion.
// Flags are the MK_ bits of the mouse message; keys are virtual-key codes.
// An id outside 0..4 is ignored.

void gCVSOnLButtonDown(int id, unsigned flags, plat::Point pt);
void gCVSOnLButtonUp(int id, unsigned flags, plat::Point pt);
void gCVSOnMouseMove(int id, unsigned flags, plat::Point pt);
// One call is one zoom step, whatever the size of delta; pt in client coordinates.
void gCVSOnMouseWheel(int id, unsigned flags, short delta, plat::Point pt);
void gCVSOnKeyDown(int id, unsigned key, unsigned repeat, unsigned flags);
void gCVSOnTimer(int id, std::uintptr_t timerId);

void gCVSDelSelElement(int id);
void gCVSDelAllElement(int id);
