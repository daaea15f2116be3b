#pragma once

#include "pixorama/parlet/QEVCtrlContainer.h"

#include <map>
#include <vector>

namespace dialogs_test {

// A container with a given item list whose "parameter file" is a map, so
// the container's own behaviour can be tested without any dialog type.
class GridPanel : public QEVCtrlContainer {
public:
    GridPanel(std::vector<CtrlItem> items, int rows, int columns)
        : layout(std::move(items)), rows(rows), columns(columns)
    {
    }

    void SetCtrlItem() override
    {
        m_Items = layout;
        for (std::size_t i = 0; i < m_Items.size(); ++i)
            m_Items[i].index = int(i);
        SetLayOutPara(rows, columns);
    }
    void LoadInitPara() override
    {
        for (auto& [name, item] : m_Values) {
            const auto found = file.find(name);
            item.value = found == file.end() ? L"nul" : found->second;
        }
        UpData();
    }
    void SaveInitPara() override
    {
        DownData();
        for (const auto& [name, item] : m_Values)
            file[name] = item.value;
        ++saves;
    }

    using QEVCtrlContainer::GetCtrlRect;
    using QEVCtrlContainer::GetRet;

    std::map<CString, CString> file;
    int saves = 0;

private:
    std::vector<CtrlItem> layout;
    int rows;
    int columns;
};

inline CtrlItem makeItem(const wchar_t* kind, const wchar_t* name, int row, int column, int span = 1,
                         const wchar_t* caption = L"", std::vector<CString> options = {})
{
    return CtrlItem{.caption = caption,
                    .kind = kind,
                    .row = row,
                    .column = column,
                    .name = name,
                    .columnSpan = span,
                    .options = std::move(options)};
}

} // namespace dialogs_test
