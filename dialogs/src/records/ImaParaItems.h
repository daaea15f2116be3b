#pragma once

#include "ItemLayout.h"
#include "RecordFields.h"

#include "pixorama/parlet/QEVImaParaType.h"

struct ImaParaRecordSet;

namespace parlet {

// What a parameter type looks like: its grid without the button row, the
// title it gives its window (null: the caption stays) and its cell width.
struct ImaParaShape {
    int rows = 0;
    int columns = 0;
    const wchar_t* title = nullptr;
    int cellWidth = 150;
};

// Everything about one parameter type: the dialog's caption, the shape of
// its window and its items. Each item names its record member (see
// RecordItems), so the items, their saved values and the record fields
// come from the one description.
struct ImaParaTable {
    QEVImaParaType type;
    const wchar_t* caption;
    ImaParaShape shape;
    void (*fillItems)(ItemLayout& layout);
    // Reads the confirmed values into the window's record of this type;
    // null for the matrix and chain types, which the window reads itself.
    void (*readRecord)(ImaParaRecordSet& records, const ValueSource& values);
};

// Null for types that build nothing.
const ImaParaTable* TableOf(QEVImaParaType type);

// False for types that build nothing.
bool ShapeOf(QEVImaParaType type, ImaParaShape& shape);

// The items of a type, in order.
void FillImaParaItems(QEVImaParaType type, ItemLayout& layout);

// The steps offered by the processing-chain window, and its target header.
const std::vector<const wchar_t*>& ProcessSteps();
extern const wchar_t* const kProcessHeader;

} // namespace parlet
