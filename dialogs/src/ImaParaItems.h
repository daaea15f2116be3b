#pragma once

#include "ItemLayout.h"

#include "pixorama/parlet/QEVImaParaType.h"

namespace parlet {

// What a parameter type looks like: its grid without the button row, the
// title it gives its window (null: the caption stays) and its cell width.
struct ImaParaShape {
    int rows = 0;
    int columns = 0;
    const wchar_t* title = nullptr;
    int cellWidth = 150;
};

// False for types that build nothing.
bool ShapeOf(QEVImaParaType type, ImaParaShape& shape);

// The items of a type, in order.
void FillImaParaItems(QEVImaParaType type, ItemLayout& layout);
// The larger layouts, kept apart for size.
void FillImaPairItems(ItemLayout& layout);
void FillVolumeRecItems(ItemLayout& layout);
void FillFanRecItems(ItemLayout& layout);

// The steps offered by the processing-chain window, and its target header.
const std::vector<const wchar_t*>& ProcessSteps();
extern const wchar_t* const kProcessHeader;

} // namespace parlet
