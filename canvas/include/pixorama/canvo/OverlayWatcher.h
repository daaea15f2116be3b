#pragma once

#include <memory>

class Canvo;
class InteractiveDC;

// Told about every overlay a canvas deletes, so an undo history can keep
// them. Deletions the user asks for (a key, a menu entry) are announced
// before and after; every deleted overlay, whatever deleted it, is handed
// over instead of being destroyed. The watcher also hears of every change
// of the canvas's raw images and of its surface before it happens.
class OverlayWatcher {
public:
    virtual ~OverlayWatcher() = default;
    virtual void BeforeUserDelete(InteractiveDC& dc, bool all) = 0;
    virtual void AfterUserDelete(InteractiveDC& dc) = 0;
    virtual void Keep(InteractiveDC& dc, std::unique_ptr<Canvo> gone) = 0;
    // replaced: the raws are to be written whole without being read, so
    // their buffers may be taken (and others of the same size put in).
    virtual void BeforeRawsChange(InteractiveDC&, bool /*replaced*/) {}
    // The same for the canvas surface.
    virtual void BeforeSurfaceChange(InteractiveDC&, bool /*replaced*/) {}
};
