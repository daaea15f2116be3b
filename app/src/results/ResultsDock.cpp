#include "pixorama/workbench/ResultsDock.h"

#include "pixorama/platform/Modal.h"
#include "pixorama/platform/SourceText.h"
#include "pixorama/workbench/ResultsTable.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QShortcut>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

// The workbench's results as a Qt table; rebuilt from the table on every change.
class ResultsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : int(gResults().Size());
    }
    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : ResultsTable::ColumnCount();
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || std::size_t(index.row()) >= gResults().Size())
            return {};
        const ResultRow& row = gResults().Row(std::size_t(index.row()));
        const int value = index.column() - 4;
        if (role == Qt::TextAlignmentRole && value >= 0)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return {};
        if (value >= 0 && value < resultValueCount && row.values[std::size_t(value)])
            return QString::number(*row.values[std::size_t(value)], 'f', 3);
        return QString::fromStdWString(ResultsTable::CellText(row, index.column()));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        if (orientation == Qt::Vertical)
            return section + 1;
        return QString::fromStdWString(ResultsTable::Headers()[std::size_t(section)]);
    }
    void Refresh()
    {
        beginResetModel();
        endResetModel();
    }
};

ResultsDock::ResultsDock(QWidget* parent) : QDockWidget(parent)
{
    plat::setSourceText(this, QStringLiteral("测量结果"));
    setObjectName(QStringLiteral("resultsDock"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* buttons = new QToolBar(body);
    plat::setSourceText(buttons->addAction(QString(), this, &ResultsDock::CopySelection), QStringLiteral("复制"));
    plat::setSourceText(buttons->addAction(QString(), this, &ResultsDock::SaveCsv), QStringLiteral("保存为CSV"));
    plat::setSourceText(buttons->addAction(QString(), this, &ResultsDock::DeleteSelection), QStringLiteral("删除所选"));
    plat::setSourceText(buttons->addAction(QString(), this, &ResultsDock::ClearAll), QStringLiteral("清除"));
    layout->addWidget(buttons);
    model = new ResultsModel(this);
    table = new QTableView(body);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setDefaultSectionSize(table->fontMetrics().horizontalAdvance(QStringLiteral("0000.000")) + 12);
    table->setColumnWidth(0, table->fontMetrics().horizontalAdvance(QStringLiteral("sample-radiograph.png")));
    // Wide enough for the names and the first values beside the views.
    body->setMinimumWidth(table->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 60);
    layout->addWidget(table);
    setWidget(body);
    const auto shortcut = [this](QKeySequence keys, void (ResultsDock::*slot)()) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence::Copy, &ResultsDock::CopySelection);
    shortcut(QKeySequence::Delete, &ResultsDock::DeleteSelection);
    // New rows bring the window up, as measuring is asking to see them.
    gSetResultsListener([this] {
        model->Refresh();
        if (gResults().Size() > 0 && !isVisible())
            show();
        table->scrollToBottom();
    });
}

ResultsDock::~ResultsDock()
{
    gSetResultsListener({});
}

std::vector<std::size_t> ResultsDock::SelectedRows() const
{
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : table->selectionModel()->selectedRows())
        rows.push_back(std::size_t(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ResultsDock::CopySelection()
{
    std::vector<std::size_t> rows = SelectedRows();
    if (rows.empty())
        for (std::size_t i = 0; i < gResults().Size(); ++i)
            rows.push_back(i);
    QApplication::clipboard()->setText(QString::fromStdWString(gResults().Tsv(rows)));
}

void ResultsDock::SaveCsv()
{
    plat::FileDialogRequest request;
    request.save = true;
    request.overwritePrompt = true;
    request.title = L"保存测量结果";
    request.initialName = L"测量结果.csv";
    request.defaultExtension = L"csv";
    request.filter = L"CSV 文件 (*.csv)|*.csv||";
    const std::vector<std::wstring> chosen = plat::fileDialog(request);
    if (chosen.empty())
        return;
    if (!gWriteResultsCsv(chosen.front(), gResults()))
        plat::messageBox(L"无法写入文件：" + chosen.front());
}

void ResultsDock::DeleteSelection()
{
    gRemoveResults(SelectedRows());
}

void ResultsDock::ClearAll()
{
    gClearResults();
}
