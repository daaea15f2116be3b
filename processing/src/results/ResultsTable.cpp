#include "pixorama/workbench/ResultsTable.h"

#include "pixorama/platform/AtomicFile.h"
#include "pixorama/platform/Strings.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// Shortest text that reads back as the same double.
std::wstring numberText(double v)
{
    if (std::isnan(v))
        return L"nan";
    if (std::isinf(v))
        return v > 0 ? L"inf" : L"-inf";
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, v);
    return error == std::errc() ? std::wstring(buffer, end) : std::wstring();
}

std::string csvField(const std::wstring& text)
{
    const std::string utf8 = plat::toUtf8(text);
    if (utf8.find_first_of(",\"\r\n") == std::string::npos)
        return utf8;
    std::string quoted = "\"";
    for (char c : utf8) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// Tabs and line breaks would split a spreadsheet cell.
std::wstring tsvField(std::wstring text)
{
    std::replace_if(text.begin(), text.end(), [](wchar_t c) { return c == L'\t' || c == L'\r' || c == L'\n'; }, L' ');
    return text;
}

} // namespace

const std::vector<std::wstring>& ResultsTable::Headers()
{
    static const std::vector<std::wstring> headers = {
        L"图像", L"类型", L"标签", L"单位", L"长度", L"角度", L"面积", L"均值",
        L"最小值", L"最大值", L"总体标准差", L"样本标准差", L"SNR", L"PSNR", L"图像熵", L"JNB"};
    return headers;
}

std::size_t ResultsTable::Put(const ResultRow& row)
{
    if (row.source != 0) {
        const auto same = rowOfSource.find(row.source);
        if (same != rowOfSource.end()) {
            rows[same->second] = row;
            return same->second;
        }
        rowOfSource[row.source] = rows.size();
    }
    rows.push_back(row);
    return rows.size() - 1;
}

void ResultsTable::Remove(std::vector<std::size_t> indices)
{
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    for (auto i = indices.rbegin(); i != indices.rend(); ++i)
        if (*i < rows.size())
            rows.erase(rows.begin() + std::ptrdiff_t(*i));
    rowOfSource.clear();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].source != 0)
            rowOfSource[rows[i].source] = i;
}

void ResultsTable::Clear()
{
    rows.clear();
    rowOfSource.clear();
}

std::optional<std::size_t> ResultsTable::Find(std::uint64_t source) const
{
    const auto found = rowOfSource.find(source);
    return found != rowOfSource.end() ? std::optional<std::size_t>(found->second) : std::nullopt;
}

std::wstring ResultsTable::CellText(const ResultRow& row, int column)
{
    switch (column) {
    case 0: return row.picture;
    case 1: return row.kind;
    case 2: return row.label;
    case 3: return row.unit;
    default: break;
    }
    const int value = column - 4;
    if (value < 0 || value >= resultValueCount || !row.values[std::size_t(value)])
        return {};
    return numberText(*row.values[std::size_t(value)]);
}

std::string ResultsTable::Csv(bool withHeader) const
{
    std::string text;
    const auto line = [&](auto field) {
        for (int c = 0; c < ColumnCount(); ++c) {
            if (c > 0)
                text += ',';
            text += csvField(field(c));
        }
        text += "\r\n";
    };
    if (withHeader) {
        text = "\xEF\xBB\xBF";
        line([](int c) { return Headers()[std::size_t(c)]; });
    }
    for (const ResultRow& row : rows)
        line([&](int c) { return CellText(row, c); });
    return text;
}

std::wstring ResultsTable::Tsv(const std::vector<std::size_t>& indices) const
{
    std::wstring text;
    const auto line = [&](auto field) {
        for (int c = 0; c < ColumnCount(); ++c) {
            if (c > 0)
                text += L'\t';
            text += tsvField(field(c));
        }
        text += L'\n';
    };
    line([](int c) { return Headers()[std::size_t(c)]; });
    for (std::size_t i : indices)
        if (i < rows.size())
            line([&](int c) { return CellText(rows[i], c); });
    return text;
}

bool gWriteResultsCsv(const std::wstring& path, const ResultsTable& table)
{
    return plat::writeFileAtomically(plat::toPath(path), table.Csv());
}
