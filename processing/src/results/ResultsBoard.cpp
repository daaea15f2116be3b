#include "pixorama/workbench/ResultsTable.h"

namespace {

std::function<void()>& listener()
{
    static std::function<void()> callback;
    return callback;
}

void changed()
{
    if (listener())
        listener()();
}

} // namespace

ResultsTable& gResults()
{
    static ResultsTable table;
    return table;
}

void gPostResults(const std::vector<ResultRow>& rows)
{
    for (const ResultRow& row : rows)
        gResults().Put(row);
    changed();
}

void gRefreshResult(const ResultRow& row)
{
    if (row.source == 0 || !gResults().Find(row.source))
        return;
    gResults().Put(row);
    changed();
}

void gRemoveResults(const std::vector<std::size_t>& indices)
{
    gResults().Remove(indices);
    changed();
}

void gClearResults()
{
    gResults().Clear();
    changed();
}

void gSetResultsListener(std::function<void()> callback)
{
    listener() = std::move(callback);
}
