#pragma once

class QEVUCDATA2D;

// Hears of every write of the working state's colour planes before it
// happens, and of the result being shown on canvas 4, so an undo history
// can keep the pixels as they were without copying them up front.
class PlaneWatcher {
public:
    virtual ~PlaneWatcher() = default;
    // replaced: the plane is to be written whole without being read, so
    // its buffer may be taken (and another of the same size put in).
    virtual void BeforePlaneChange(QEVUCDATA2D& plane, bool replaced) = 0;
    // Canvas 4's surface is about to be rewritten from itself. The old
    // pixels (memory rows of the surface's width, bottom row first) when
    // the watcher took them, the surface then holding a buffer of the same
    // size to write every pixel of; null when they stay in place.
    virtual const unsigned* BeforeSurfaceRewrite() = 0;
};
