#pragma once

#include "pixorama/common/CString.h"

#include <vector>

// One control of a parameter window: where it sits on the grid, what it is
// and, for "Edit", "Combo" and "CheckBox", the name its value is kept under.
// Values are text: an edit's window text, a combo's selected index ("%d"),
// a check box's "true" or "false".
struct CtrlItem {
    CString caption;              // text of a "Static", "CheckBox" or "Button"
    int index = 0;                // position in the item list
    CString kind;                 // "Static", "Edit", "CheckBox", "Button" or "Combo"
    int row = 0;                  // grid cell of the top-left corner
    int column = 0;
    int id = 0;                   // control id
    CString name = L"nul";        // value key; "nul" for items without a value
    CString value{};
    int columnSpan = 1;
    int rowSpan = 1;
    std::vector<CString> options{}; // entries of a "Combo", in display order
    int droppedWidth = 0;         // drop-down width of a "Combo" when > 0
};
