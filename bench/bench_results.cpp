// The results window and batch measurement. BM_ResultsAddAndShow puts 10,000
// rows into the window and lets it paint; BM_MeasureSequence measures 0 or
// 10 regions on a run of 1 or 16 2048 x 2048 16-bit raw files in the page
// cache: with 0 regions it only reads the files, so the rates give the share
// of reading throughput that measuring keeps; the run of 1 file shows the
// cost paid once per run (rasterising the regions).

#include "BenchRun.h"
#include "pixorama/workbench/MeasureSequence.h"
#include "pixorama/workbench/ResultsDock.h"
#include "pixorama/workbench/SequenceJob.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace {

constexpr int side = 2048;
constexpr int fileCount = 16;

class QuietFeedback : public JobFeedback {
public:
    void SetRange(int) override {}
    void SetPosition(int) override {}
    void Message(const CString&) override {}
};

std::filesystem::path folder()
{
    static const std::filesystem::path path = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "pixorama-bench-XXXXXX").string();
        return std::filesystem::path(mkdtemp(pattern.data()));
    }();
    return path;
}

// The run, written once and then read from the page cache.
const std::vector<CString>& files()
{
    static const std::vector<CString> run = [] {
        std::vector<CString> paths;
        std::vector<std::uint16_t> values(std::size_t(side) * side);
        for (int i = 0; i < fileCount; ++i) {
            for (std::size_t p = 0; p < values.size(); ++p)
                values[p] = std::uint16_t((p * 2654435761u + std::size_t(i)) >> 20);
            const auto path = folder() / ("frame" + std::to_string(i) + ".raw");
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(values.data()), std::streamsize(values.size() * 2));
            paths.push_back(path.wstring());
        }
        return paths;
    }();
    return run;
}

// Ten regions of 128 to 400 pixels across: rectangles and polygons.
RegionSet regions(int count)
{
    RegionSet set;
    set.width = set.height = side;
    for (int k = 0; k < count; ++k) {
        const double x = 100.0 + 180.0 * k;
        const double size = 128.0 + 30.0 * k;
        if (k % 2 == 0)
            set.overlays.push_back({0, L"矩形", {{x, x}, {x + size, x + size}}, false});
        else
            set.overlays.push_back({3, L"多边形", {{x, x}, {x + size, x + size / 3}, {x + size / 2, x + size}}, false});
    }
    return set;
}

void BM_MeasureSequence(benchmark::State& state)
{
    tagQEVImaLoadPara load;
    load.InImaW = load.InImaH = side;
    load.bLittleEndian = 1;
    const RegionSet set = regions(int(state.range(0)));
    const std::vector<CString> run(files().begin(), files().begin() + state.range(1));
    QuietFeedback feedback;
    for (auto _ : state) {
        ResultsTable table;
        SequenceJob job(feedback);
        benchmark::DoNotOptimize(MeasureSequence(run, load, set, table, job));
    }
    state.counters["files/s"] = benchmark::Counter(double(run.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_MeasureSequence)
    ->Args({0, fileCount})
    ->Args({10, fileCount})
    ->Args({0, 1})
    ->Args({10, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ResultsAddAndShow(benchmark::State& state)
{
    ResultsDock dock(nullptr);
    dock.resize(900, 600);
    dock.show();
    std::vector<ResultRow> rows(std::size_t(state.range(0)));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].picture = L"frame.raw";
        rows[i].kind = L"矩形";
        rows[i].label = L"矩形 " + std::to_wstring(i + 1);
        rows[i][ResultColumn::Area] = double(i);
        rows[i][ResultColumn::Mean] = double(i) / 7.0;
        rows[i].source = i + 1;
    }
    for (auto _ : state) {
        gClearResults();
        gPostResults(rows);
        dock.view()->viewport()->repaint();
        QApplication::processEvents();
    }
    gClearResults();
}
BENCHMARK(BM_ResultsAddAndShow)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int status = runBenchmarks(argc, argv);
    std::error_code ignored;
    std::filesystem::remove_all(folder(), ignored);
    return status;
}
