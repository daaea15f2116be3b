#pragma once

#include "pixorama/canvo/InteractiveMovableRect.h"

#include <vector>

// A movable window of text lines. Its size follows the lines at every draw;
// its top-left corner stays where it was put or dragged.
class InteractiveTextML : public InteractiveMovableRect {
public:
    InteractiveTextML();

    void SetLines(const std::vector<CString>& newLines) override;
    void AddLine(const CString& line) override;
    bool Draw(plat::Dc* dc) override;

    std::vector<CString> lines;
    int margin = 5;
    static constexpr int fontHeight = 20;

private:
    // The lines last measured and their sizes: repaints skip the measuring.
    std::vector<CString> measuredLines;
    std::vector<plat::Size> measuredSizes;
};
