#pragma once

#include "pixorama/parlet/CtrlItem.h"

#include <initializer_list>
#include <vector>

namespace parlet {

// Fills an item list by the dialogs' layout rule: a labelled value is a
// "Static" label with its control to the right, pairs fill a row from the
// left, a heading stands on a row of its own, and buttons come last on a
// fresh row. Items get the base id + 1, + 2, ... in item order unless a
// button brings a fixed id.
class ItemLayout {
public:
    ItemLayout(std::vector<CtrlItem>& items, int columns, int baseId);

    void Edit(const wchar_t* label, const wchar_t* name);
    void Combo(const wchar_t* label, const wchar_t* name, std::initializer_list<const wchar_t*> options);
    void Check(const wchar_t* label, const wchar_t* name, const wchar_t* caption);
    void Heading(const wchar_t* text);
    // A button alone in one cell.
    void Button(const wchar_t* caption, int id);
    // A button and the edit that shows what it chose, to the end of the row.
    void Browse(const wchar_t* caption, int id, const wchar_t* name);
    // An edit without label, one cell (matrix elements).
    void Cell(const wchar_t* name);

    // Rows taken so far, counting a row that is only begun.
    int Rows() const { return column > 0 ? row + 1 : row; }

private:
    CtrlItem& Add(const wchar_t* kind, const wchar_t* caption, const wchar_t* name, int span, int id = 0);
    void Pair(const wchar_t* label, CtrlItem& control);
    void Advance(int cells);
    void NewRow();
    void StartPair();
    void BeginButtons();

    std::vector<CtrlItem>& items;
    int columns;
    int baseId;
    int row = 0;
    int column = 0;
    bool buttonsBegun = false;
};

} // namespace parlet
