#include "ItemLayout.h"

namespace parlet {

ItemLayout::ItemLayout(std::vector<CtrlItem>& items, int columns, int baseId)
    : items(items), columns(columns < 1 ? 1 : columns), baseId(baseId)
{
}

CtrlItem& ItemLayout::Add(const wchar_t* kind, const wchar_t* caption, const wchar_t* name, int span, int id)
{
    const int index = int(items.size());
    items.push_back(CtrlItem{.caption = caption,
                             .index = index,
                             .kind = kind,
                             .row = row,
                             .column = column,
                             .id = id != 0 ? id : baseId + index + 1,
                             .name = name,
                             .columnSpan = span,
                             .rowSpan = 1});
    Advance(span);
    return items.back();
}

void ItemLayout::Advance(int cells)
{
    column += cells;
    if (column >= columns)
        NewRow();
}

void ItemLayout::NewRow()
{
    if (column > 0) {
        ++row;
        column = 0;
    }
}

void ItemLayout::Edit(const wchar_t* label, const wchar_t* name)
{
    StartPair();
    Add(L"Static", label, L"nul", 1);
    Add(L"Edit", label, name, 1);
}

void ItemLayout::Combo(const wchar_t* label, const wchar_t* name, std::initializer_list<const wchar_t*> options)
{
    StartPair();
    Add(L"Static", label, L"nul", 1);
    CtrlItem& combo = Add(L"Combo", label, name, 1);
    for (const wchar_t* option : options)
        combo.options.emplace_back(option);
}

void ItemLayout::Check(const wchar_t* label, const wchar_t* name, const wchar_t* caption)
{
    StartPair();
    Add(L"Static", label, L"nul", 1);
    Add(L"CheckBox", caption, name, 1);
}

void ItemLayout::StartPair()
{
    if (column + 2 > columns)
        NewRow();
}

void ItemLayout::Heading(const wchar_t* text)
{
    NewRow();
    Add(L"Static", text, L"null", columns);
}

void ItemLayout::BeginButtons()
{
    if (!buttonsBegun)
        NewRow();
    buttonsBegun = true;
}

void ItemLayout::Button(const wchar_t* caption, int id)
{
    BeginButtons();
    Add(L"Button", caption, L"nul", 1, id);
}

void ItemLayout::Browse(const wchar_t* caption, int id, const wchar_t* name)
{
    BeginButtons();
    if (column + 2 > columns)
        NewRow();
    Add(L"Button", caption, L"nul", 1, id);
    Add(L"Edit", caption, name, columns - column);
}

void ItemLayout::Cell(const wchar_t* name)
{
    Add(L"Edit", L"", name, 1);
}

} // namespace parlet
