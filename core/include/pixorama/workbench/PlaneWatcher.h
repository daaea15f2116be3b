#pragma once

class QEVUCDATA2D;

// Hears of every write of the working state's colour planes before it
// happens, so an undo history can keep the planes as they were without
// copying them up front.
class PlaneWatcher {
public:
    virtual ~PlaneWatcher() = default;
    // replaced: the plane is to be written whole without being read, so
    // its buffer may be taken (and another of the same size put in).
    virtual void BeforePlaneChange(QEVUCDATA2D& plane, bool replaced) = 0;
};
