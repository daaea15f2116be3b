// The results rows as saved (CSV bytes) and copied (tab-separated text), and
// rows following the overlay they measure.
#include "TestHome.h"

#include "pixorama/workbench/ResultsTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

ResultRow Row(std::wstring picture, std::wstring label, std::uint64_t source, double length)
{
    ResultRow row;
    row.picture = std::move(picture);
    row.kind = L"距离";
    row.label = std::move(label);
    row.unit = L"mm";
    row[ResultColumn::Length] = length;
    row.source = source;
    return row;
}

const std::string header = "图像,类型,标签,单位,长度,角度,面积,均值,最小值,最大值,总体标准差,样本标准差,SNR,PSNR,图像熵,JNB\r\n";

} // namespace

TEST(ResultsTable, CsvHasMarkHeaderAndQuotedNames)
{
    ResultsTable table;
    table.Put(Row(L"a,b.raw", L"say \"hi\"", 0, 2.5));
    ResultRow region;
    region.picture = L"胸片.png";
    region.kind = L"矩形";
    region.label = L"矩形 1";
    region.unit = L"px";
    region[ResultColumn::Area] = 441;
    region[ResultColumn::Mean] = 0.1;
    region[ResultColumn::Stdev] = std::numeric_limits<double>::quiet_NaN();
    table.Put(region);

    const std::string rows = "\"a,b.raw\",距离,\"say \"\"hi\"\"\",mm,2.5,,,,,,,,,,,\r\n"
                             "胸片.png,矩形,矩形 1,px,,,441,0.1,,,,nan,,,,\r\n";
    EXPECT_EQ(table.Csv(), "\xEF\xBB\xBF" + header + rows);
    EXPECT_EQ(table.Csv(false), rows);

    // Saved through the atomic writer, byte for byte.
    const auto path = TestHome::path() / "results.csv";
    ASSERT_TRUE(gWriteResultsCsv(path.wstring(), table));
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), table.Csv());
}

TEST(ResultsTable, CopyIsTabSeparatedWithTheHeader)
{
    ResultsTable table;
    table.Put(Row(L"one.raw", L"距离 1", 0, 1.25));
    table.Put(Row(L"two\tnames.raw", L"距离 2", 0, 3));
    const std::wstring text = table.Tsv({1});
    EXPECT_EQ(text, L"图像\t类型\t标签\t单位\t长度\t角度\t面积\t均值\t最小值\t最大值\t总体标准差\t样本标准差\tSNR\tPSNR\t图像熵\tJNB\n"
                    L"two names.raw\t距离\t距离 2\tmm\t3\t\t\t\t\t\t\t\t\t\t\t\n");
}

TEST(ResultsTable, RowsFollowTheirOverlay)
{
    ResultsTable table;
    table.Put(Row(L"p", L"距离 1", 7, 1.0));
    table.Put(Row(L"p", L"全图", 0, 5.0));
    table.Put(Row(L"p", L"全图", 0, 5.0));
    table.Put(Row(L"p", L"距离 2", 9, 2.0));
    // Measuring overlay 7 again replaces its row in place.
    EXPECT_EQ(table.Put(Row(L"p", L"距离 1", 7, 4.0)), 0u);
    EXPECT_EQ(table.Size(), 4u);
    EXPECT_EQ(*table.Row(0)[ResultColumn::Length], 4.0);
    // Removing rows before overlay 9's keeps it found.
    table.Remove({0, 2, 2});
    ASSERT_EQ(table.Size(), 2u);
    EXPECT_EQ(table.Find(9), std::optional<std::size_t>(1));
    table.Put(Row(L"p", L"距离 2", 9, 6.0));
    EXPECT_EQ(table.Size(), 2u);
    EXPECT_EQ(*table.Row(1)[ResultColumn::Length], 6.0);
    EXPECT_FALSE(table.Find(7));
}
