#include "pixorama/canvo/CanvasTable.h"

#include <array>

InteractiveImage* CanvasTable::At(int id)
{
    // Constructed on first use, so no other library's start-up code can
    // reach it before it exists.
    static std::array<InteractiveImage, count> canvases;
    if (id < 0 || id >= count)
        return nullptr;
    return &canvases[std::size_t(id)];
}
