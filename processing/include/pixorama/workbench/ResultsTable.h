#pragma once

#include <array>
#include <functional>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// The value columns of a results row, in table order.
enum class ResultColumn : int {
    Length,
    Angle,
    Area,
    Mean,
    Minimum,
    Maximum,
    Stdevp,
    Stdev,
    Snr,
    Psnr,
    Entropy,
    Jnb,
};
constexpr int resultValueCount = 12;

// One measurement: which picture, what was measured, and its values. A
// value that the kind of measurement has not is left empty.
struct ResultRow {
    std::wstring picture; // file name of the picture measured
    std::wstring kind;    // "距离", "角度", "矩形" ...
    std::wstring label;   // "距离 1" ...
    std::wstring unit;    // "px", or "mm" when the pixel size is known
    std::array<std::optional<double>, resultValueCount> values{};
    std::uint64_t source = 0; // the overlay measured; 0 for none

    std::optional<double>& operator[](ResultColumn c) { return values[std::size_t(c)]; }
    const std::optional<double>& operator[](ResultColumn c) const { return values[std::size_t(c)]; }
};

// The rows of the results window. Rows measured from an overlay are kept
// once per overlay: measuring it again replaces its row in place.
class ResultsTable {
public:
    // The column headers: picture, kind, label, unit, then the values.
    static const std::vector<std::wstring>& Headers();

    // Appends the row, or replaces the row of the same overlay; returns its index.
    std::size_t Put(const ResultRow& row);
    // Removes the rows at these indices (any order, repeats ignored).
    void Remove(std::vector<std::size_t> indices);
    void Clear();

    std::size_t Size() const { return rows.size(); }
    const ResultRow& Row(std::size_t i) const { return rows[i]; }
    // The row of an overlay.
    std::optional<std::size_t> Find(std::uint64_t source) const;

    // The text of a cell as copied and saved: numbers in their shortest
    // exact form, empty values as nothing.
    static std::wstring CellText(const ResultRow& row, int column);
    static int ColumnCount() { return 4 + resultValueCount; }

    // UTF-8 with a byte-order mark, comma-separated, CRLF line ends; fields
    // with commas, quotes or line breaks quoted. withHeader false leaves out
    // the mark and the header line (a piece of a longer table).
    std::string Csv(bool withHeader = true) const;
    // Tab-separated header and the rows at these indices, for the clipboard.
    std::wstring Tsv(const std::vector<std::size_t>& indices) const;

private:
    std::vector<ResultRow> rows;
    std::unordered_map<std::uint64_t, std::size_t> rowOfSource;
};

// Writes the rows as CSV (with header) through the atomic writer; false
// when the file could not be written.
bool gWriteResultsCsv(const std::wstring& path, const ResultsTable& table);

// The workbench's results, which the results window shows. Listeners hear
// of every change.
ResultsTable& gResults();
// Puts the rows (each replaces the row of its overlay, if any).
void gPostResults(const std::vector<ResultRow>& rows);
// Replaces the row of the row's overlay; does nothing when it has none.
void gRefreshResult(const ResultRow& row);
// Removes rows or all of them.
void gRemoveResults(const std::vector<std::size_t>& indices);
void gClearResults();
// The one listener (the results window); an empty function removes it.
void gSetResultsListener(std::function<void()> listener);
