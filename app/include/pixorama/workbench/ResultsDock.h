#pragma once

#include <QDockWidget>

#include <cstddef>
#include <vector>

class QTableView;
class ResultsModel;

// The "测量结果" window docked beside the views: one line per row of the
// workbench's results, with copy (Ctrl+C, tab-separated), save as CSV,
// delete selected rows (Delete) and clear. It shows itself when rows change.
class ResultsDock : public QDockWidget {
public:
    explicit ResultsDock(QWidget* parent);
    ~ResultsDock() override;

    QTableView* view() const { return table; }
    // Indices of the selected rows, in table order.
    std::vector<std::size_t> SelectedRows() const;
    // The selected rows (all rows when none is selected) with the header
    // line, onto the clipboard.
    void CopySelection();
    // Asks for a file name and writes every row as CSV.
    void SaveCsv();
    void DeleteSelection();
    void ClearAll();

private:
    ResultsModel* model = nullptr;
    QTableView* table = nullptr;
};
