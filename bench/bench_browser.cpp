// The browser on large inputs: 10,000 paths appended to a file list and
// shown, a folder of 10,000 files expanded in the folder tree or added to a
// list by mask, and one repaint of a 400 x 30 strip (off-screen draw plus
// the copy), with and without its histogram.
#include "BenchRun.h"
#include "pixorama/brovia/QEVDlgForContrast.h"
#include "pixorama/brovia/QEVDlgForThreshold.h"
#include "pixorama/brovia/QEVFileEngItem.h"
#include "pixorama/brovia/QEVFileSetItem.h"
#include "pixorama/platform/Strings.h"

#include <QApplication>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int fileCount = 10000;

std::filesystem::path bigFolder()
{
    static const std::filesystem::path folder = [] {
        const auto dir = std::filesystem::temp_directory_path() / "pixorama-bench-browser";
        std::filesystem::create_directories(dir);
        for (int i = 0; i < fileCount; ++i) {
            const auto file = dir / ("proj_" + std::to_string(100000 + i) + ".raw");
            if (!std::filesystem::exists(file))
                std::ofstream(file).put('x');
        }
        return dir;
    }();
    return folder;
}

// A browser window filling a shown 360 x 600 host, which owns it.
template <class Window>
Window* hostedIn(plat::Wnd& host)
{
    host.resize(360, 600);
    auto* window = new Window(&host);
    window->setGeometry(0, 0, 360, 600);
    host.show();
    return window;
}

void BM_AppendAndShowPaths(benchmark::State& state)
{
    plat::Wnd host;
    auto* lists = hostedIn<QEVFileEngItem>(host);
    std::vector<std::wstring> paths;
    for (int i = 0; i < fileCount; ++i)
        paths.push_back(L"/data/ct/scan_2026/proj_" + std::to_wstring(100000 + i) + L".raw");
    for (auto _ : state) {
        lists->AddFiles(1, paths);
        lists->repaint();
        QApplication::processEvents();
        state.PauseTiming();
        lists->DeleteAll(1);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * fileCount);
}
BENCHMARK(BM_AppendAndShowPaths)->Unit(benchmark::kMillisecond);

void BM_AddFolderByMask(benchmark::State& state)
{
    plat::Wnd host;
    auto* lists = hostedIn<QEVFileEngItem>(host);
    const std::wstring folder = plat::fromPath(bigFolder());
    for (auto _ : state) {
        lists->AddFolder(1, folder, L"*.raw");
        QApplication::processEvents();
        state.PauseTiming();
        if (lists->List(1).size() != std::size_t(fileCount))
            state.SkipWithError("the folder did not list every file");
        lists->DeleteAll(1);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddFolderByMask)->Unit(benchmark::kMillisecond);

void BM_ExpandFolderOf10000Files(benchmark::State& state)
{
    plat::Wnd host;
    auto* tree = hostedIn<QEVFileSetItem>(host);
    for (auto _ : state) {
        state.PauseTiming();
        tree->SetRoots({plat::fromPath(bigFolder())});
        QApplication::processEvents();
        state.ResumeTiming();
        tree->Tree()->expandItem(tree->Root()->child(0));
        tree->repaint();
        QApplication::processEvents();
        state.PauseTiming();
        if (tree->Root()->child(0)->childCount() != fileCount)
            state.SkipWithError("the folder did not show every file");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ExpandFolderOf10000Files)->Unit(benchmark::kMillisecond);

// The strip is a child of its host, which owns it.
void repaintStrip(benchmark::State& state, QEVSelfDrawWndBase* strip)
{
    plat::Wnd host;
    host.resize(400, 30);
    strip->CreateWin({0, 0, 400, 30}, &host, 100);
    plat::DibBitmap screen(400, 30);
    plat::Dc dc(screen);
    for (auto _ : state) {
        strip->Draw(dc);
        benchmark::DoNotOptimize(screen.bits());
    }
}

void BM_ContrastStripRepaint(benchmark::State& state)
{
    auto* strip = new QEVDlgForContrast;
    if (state.range(0) != 0) {
        std::vector<double> bins(256);
        for (int i = 0; i < 256; ++i)
            bins[std::size_t(i)] = double((i * 37) % 101);
        strip->SetHistogram(bins);
    }
    repaintStrip(state, strip);
}
BENCHMARK(BM_ContrastStripRepaint)->Arg(0)->Arg(1)->ArgName("histogram")->Unit(benchmark::kMicrosecond);

void BM_ThresholdStripRepaint(benchmark::State& state)
{
    repaintStrip(state, new QEVDlgForThreshold);
}
BENCHMARK(BM_ThresholdStripRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
